#include "photographer/data/dossiers_etab.h"

#include "common/files.h"
#include "common/paths.h"
#include "photographer/data/etat.h"
#include "photographer/data/noms_photos.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>

namespace dossiers_etab {

namespace {

const QString kBr = QStringLiteral(" BR");
const QString kBr3 = QStringLiteral(" BR3");

qsizetype octetsUtf8(char32_t caractere)
{
    return caractere < 0x80 ? 1 : caractere < 0x800 ? 2 : caractere < 0x10000 ? 3 : 4;
}

} // namespace

QStringList Dossiers::tous() const
{
    return valides() ? QStringList{donnees, br, br3, archive} : QStringList();
}

Dossiers de(const QString& cheminDonnees, const QString& nom)
{
    // A name stored before the rules of today keeps its folders.
    if (!paths::namesFolder(nom))
        return {};
    const QString dossier = paths::component(nom);
    return {paths::join(cheminDonnees, {dossier}), paths::join(cheminDonnees, {dossier + kBr}),
            paths::join(cheminDonnees, {dossier + kBr3}), paths::onDrive({QStringLiteral("labohd"), dossier})};
}

Dossiers de(const QString& nom)
{
    return de(etat::CheminDonnees, nom);
}

QString refus(const QString& nom)
{
    const QString refusDossier = paths::componentRefusal(nom, QStringLiteral("Le nom de l'établissement"));
    if (!refusDossier.isEmpty())
        return refusDossier;
    const QString dossier = paths::component(nom);
    const qsizetype tiennent = caracteresQuiTiennent(dossier, kOctetsParNom - kBr3.toUtf8().size());
    const qsizetype caracteres = dossier.toUcs4().size();
    if (tiennent == caracteres)
        return {};
    return QStringLiteral("Le nom de l'établissement est trop long pour nommer ses dossiers : il peut compter au plus "
                          "%1 caractères (il en compte %2).")
        .arg(tiennent)
        .arg(caracteres);
}

qsizetype caracteresQuiTiennent(const QString& texte, qsizetype place)
{
    qsizetype octets = 0, tiennent = 0;
    for (const uint caractere : texte.toUcs4()) {
        octets += octetsUtf8(caractere);
        if (octets > place)
            break;
        ++tiennent;
    }
    return tiennent;
}

QStringList communs(const Dossiers& ceux, const Dossiers& autres)
{
    QStringList resultat;
    for (const QString& dossier : ceux.tous()) {
        for (const QString& autre : autres.tous()) {
            if (dossier.compare(autre, Qt::CaseInsensitive) == 0) {
                resultat << dossier;
                break;
            }
        }
    }
    return resultat;
}

QStringList occupes(const Dossiers& dossiers)
{
    QStringList resultat;
    for (const QString& chemin : dossiers.tous()) {
        const QDir dossier(chemin);
        if (dossier.exists()
            && !dossier.isEmpty(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
            resultat << chemin;
    }
    return resultat;
}

bool pris(const QString& chemin)
{
    const QFileInfo info(chemin);
    return info.exists() || info.isSymLink();
}

QString nomLibre(const QString& dossier, const QString& base, const QString& extension,
                 const std::function<bool(const QString&)>& dejaLa)
{
    QString nom = paths::join(dossier, {base + extension});
    for (int numero = 2; pris(nom) && !(dejaLa && dejaLa(nom)); ++numero)
        nom = paths::join(dossier, {base + u'_' + QString::number(numero) + extension});
    return nom;
}

QString nomGarde(const QString& fichier, const QString& dossier)
{
    const QFileInfo photo(fichier);
    const QString horodatage = photo.lastModified().toString(QString::fromLatin1(noms_photos::kHorodatageGarde));
    return nomLibre(dossier, photo.completeBaseName() + u'_' + horodatage, u'.' + photo.suffix());
}

QString garder(const QString& fichier, const QString& dossier, QString& erreur, QString garde)
{
    if (!paths::ensureFolder(dossier)) {
        erreur = QStringLiteral("Le dossier « %1 » n'a pas pu être créé : le fichier « %2 » n'a pas été mis de côté.")
                     .arg(QDir::toNativeSeparators(dossier), QDir::toNativeSeparators(fichier));
        return {};
    }
    if (garde.isEmpty())
        garde = nomGarde(fichier, dossier);
    erreur = files::move(fichier, garde);
    return erreur.isEmpty() ? garde : QString();
}

} // namespace dossiers_etab
