#include "common/helpers.h"

#include "common/paths.h"
#include "common/report.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>

bool FichierExiste(const QString& chemin)
{
    if (chemin.isEmpty())
        return false;
    const QFileInfo info(chemin);
    return info.exists() && !info.isDir();
}

QString fichierRegistre(const QString& cle)
{
    // "Software\ZLV" and "SOFTWARE\ZLV" are one key: the last component,
    // upper-cased, names the INI file in the user's configuration folder.
    QString name = cle.section(u'\\', -1, -1, QString::SectionSkipEmpty).toUpper();
    name = paths::component(name.isEmpty() ? QStringLiteral("ZLV") : name);
    return paths::join(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation),
                       {name + QStringLiteral(".ini")});
}

std::optional<QString> LireRegistre(const QString& cle, const QString& nomValeur)
{
    QSettings settings(fichierRegistre(cle), QSettings::IniFormat);
    const QVariant value = settings.value(nomValeur);
    if (!value.isValid())
        return std::nullopt;
    QString text = value.toString();
    const qsizetype nul = text.indexOf(QChar(u'\0'));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

bool EcrireRegistre(const QString& cle, const QString& nomValeur, const QString& valeur)
{
    const QString fichier = fichierRegistre(cle);
    QSettings settings(fichier, QSettings::IniFormat);
    settings.setValue(nomValeur, valeur);
    settings.sync();
    if (settings.status() == QSettings::NoError)
        return true;
    report::detail(QStringLiteral("fichier de réglages %1 non écrit (état QSettings %2)").arg(fichier).arg(int(settings.status())));
    return false;
}

QString RegistreNonEcrit(const QString& cle, const QString& consequence)
{
    return QStringLiteral("Le réglage n'a pas pu être enregistré dans le fichier %1 : %2")
        .arg(QDir::toNativeSeparators(fichierRegistre(cle)), consequence);
}
