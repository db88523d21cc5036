#include "tests/school/support/school_fixture.h"

#include "common/paths.h"
#include "school/data/base.h"
#include "school/data/etat.h"

#include <QFile>
#include <QImage>
#include <QLabel>

#include <gtest/gtest.h>

SchoolFixture::SchoolFixture()
{
    propre_.emplace();
    sandbox_ = &*propre_;
    preparer();
}

SchoolFixture::SchoolFixture(Sandbox& sandbox) : sandbox_(&sandbox)
{
    preparer();
}

SchoolFixture::~SchoolFixture()
{
    // The connection must not outlive the temporary folder it points into.
    base::fermer();
    etat::CheminDonnees.clear();
}

void SchoolFixture::preparer()
{
    base::fermer();
    etat::CheminDonnees = paths::onDrive({QStringLiteral("vizmora2020")});
    EXPECT_TRUE(paths::ensureFolder(dossierImages()));
    base::db();
}

QString SchoolFixture::dossier() const
{
    return etat::CheminDonnees;
}

QString SchoolFixture::dossierImages() const
{
    return paths::join(dossier(), {QStringLiteral("images")});
}

QString SchoolFixture::cheminPhoto(qint64 cdeEleve) const
{
    return paths::join(dossierImages(), {QString::number(cdeEleve) + QStringLiteral(".jpg")});
}

QColor SchoolFixture::couleurPortrait(qint64 cdeEleve)
{
    // Hues 37 degrees apart: neighbours on a board never look alike.
    return QColor::fromHsv(int((cdeEleve * 37) % 360), 200, 220);
}

bool SchoolFixture::ecrirePortrait(const QString& chemin, const QColor& couleur)
{
    QImage image(60, 80, QImage::Format_RGB32);
    image.fill(couleur);
    return image.save(chemin, "JPG", 95);
}

bool SchoolFixture::montreCouleur(const QLabel* image, const QColor& couleur)
{
    const QImage rendu = image->pixmap().toImage();
    if (rendu.isNull())
        return false;
    const QColor centre = rendu.pixelColor(rendu.width() / 2, rendu.height() / 2);
    return qAbs(centre.red() - couleur.red()) < 12 && qAbs(centre.green() - couleur.green()) < 12
        && qAbs(centre.blue() - couleur.blue()) < 12;
}

QByteArray SchoolFixture::lire(const QString& chemin)
{
    QFile fichier(chemin);
    return fichier.open(QIODevice::ReadOnly) ? fichier.readAll() : QByteArray();
}

qint64 SchoolFixture::ajouterEleve(const QString& classe, const QString& nom,
                                   const QString& prenom, bool avecPhoto)
{
    auto& base = base::db();
    db::Database::Transaction transaction(base);
    const qint64 cle = base.insert(
        QStringLiteral("INSERT INTO Eleves (Classe, Nom, Prenom, Naissance, Regime)"
                       " VALUES (?, ?, ?, ?, ?)"),
        {classe, nom, prenom, QStringLiteral("01/09/2014"), QStringLiteral("Externe")});
    base.exec(QStringLiteral("UPDATE Eleves SET NomPhoto = ?, INE = ?, NumInterne = ? WHERE CdeEleves = ?"),
              {QString::number(cle), QStringLiteral("INE%1").arg(cle, 6, 10, QLatin1Char('0')),
               QStringLiteral("N%1").arg(cle), cle});
    transaction.commit();
    if (avecPhoto && !ecrirePortrait(cheminPhoto(cle), couleurPortrait(cle)))
        throw db::Error(QStringLiteral("Impossible d'écrire %1").arg(cheminPhoto(cle)));
    return cle;
}

QList<qint64> SchoolFixture::ajouterClasse(const QString& classe, int nombre)
{
    QList<qint64> cles(nombre);
    for (int i = nombre; i >= 1; --i)
        cles[i - 1] = ajouterEleve(classe, QStringLiteral("Nom%1").arg(i, 3, 10, QLatin1Char('0')),
                                   QStringLiteral("Prénom ") + classe);
    return cles;
}

qint64 SchoolFixture::ajouterAuGroupe(const QString& groupe, qint64 cdeEleve)
{
    auto& base = base::db();
    const db::Rows eleve = base.query(
        QStringLiteral("SELECT NomPhoto, Classe, Nom, Prenom FROM Eleves WHERE CdeEleves = ?"), {cdeEleve});
    if (eleve.empty())
        throw db::Error(QStringLiteral("Aucun élève de clé %1").arg(cdeEleve));
    const db::Row& e = eleve.front();
    return base.insert(
        QStringLiteral("INSERT INTO Goupes (NomGroupe, N_Eleves, Classe, Nom, Prenom) VALUES (?, ?, ?, ?, ?)"),
        {groupe, e[u"NomPhoto"], e[u"Classe"], e[u"Nom"], e[u"Prenom"]});
}

void SchoolFixture::nommerEtablissement(const QString& nom)
{
    auto& base = base::db();
    if (base.exec(QStringLiteral("UPDATE Etablissement SET Nom = ?"), {nom}) == 0)
        base.insert(QStringLiteral("INSERT INTO Etablissement (Nom) VALUES (?)"), {nom});
}
