#include "tests/photographer/support/photographe_fixture.h"

#include "photographer/data/dossiers_etab.h"
#include "photographer/data/etablissements.h"

#include <QFileInfo>

#include <functional>

namespace {

using RenommageTravaux = PhotographeFixture;

QString nomEnBase(const QString& code)
{
    return base::db().scalar(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code});
}

// Every folder of the name holds its picture.
bool dossiersSous(const QString& nom)
{
    for (const QString& dossier : dossiers_etab::de(nom).tous()) {
        if (!QFileInfo::exists(paths::join(dossier, {QStringLiteral("1.jpg")})))
            return false;
    }
    return true;
}

} // namespace

// A filing or a class move that a power cut left for the establishment names
// its folders by their full paths: the rename waits until the shoot has
// settled it. Jobs of another establishment, and a filing done, do not stop it.
TEST_F(RenommageTravaux, UnRenommageAttendQueLesTravauxInterrompusDeLEtablissementSoientRegles)
{
    const QString code = ajouterEtablissement(QStringLiteral("Ecole A"));
    const QString autre = ajouterEtablissement(QStringLiteral("Autre Ecole"));
    const QString jean = eleve(QStringLiteral("6A"), QStringLiteral("ELEVE1"), QStringLiteral("Jean"), code);
    const QString zoe = eleve(QStringLiteral("6A"), QStringLiteral("ZOULOU"), QStringLiteral("Zoé"), autre);
    const QString parti = eleve(QStringLiteral("6A"), QStringLiteral("PARTI"), QStringLiteral("Paul"), code);
    for (const QString& dossier : dossiers_etab::de(QStringLiteral("Ecole A")).tous())
        Sandbox::writeFile(paths::join(dossier, {QStringLiteral("1.jpg")}), "jpeg");
    const QString archiveA = dossiers_etab::de(QStringLiteral("Ecole A")).archive;
    const QString archiveAutre = dossiers_etab::de(QStringLiteral("Autre Ecole")).archive;
    const auto classement = [](const QString& etab, const QString& fait) {
        base().exec(QStringLiteral("INSERT INTO JournalClassement (CodeEtablissement, Classe, Nom, Prenom, Fait) "
                                   "VALUES (?1, '6A', 'ELEVE1', 'Jean', ?2)"),
                    {etab, fait});
    };
    const auto deplacement = [](const QString& cle, const QString& archive) {
        base().exec(QStringLiteral("INSERT INTO DeplacementsPhotos (CdeEleves, Classe, Origine, Destination) "
                                   "VALUES (?1, '6B', ?2, ?3)"),
                    {cle, paths::join(archive, {QStringLiteral("6Axsepx.jpg")}),
                     paths::join(archive, {QStringLiteral("6Bxsepx.jpg")})});
    };
    const QString attente = QStringLiteral("L'établissement « Ecole A » n'a pas été renommé : %1, interrompu par un "
                                           "arrêt brutal, n'est pas terminé. Ouvrez la prise de vues de cet "
                                           "établissement, qui le terminera, puis renommez-le.");
    const struct {
        const char* cas;
        std::function<void()> travail;
        QString refus; // "" when the rename goes
    } cas[] = {
        {"un classement interrompu", [&] { classement(code, QString()); },
         attente.arg(QStringLiteral("le classement d'une photo de ELEVE1 Jean (classe 6A)"))},
        {"un changement de classe interrompu", [&] { deplacement(jean, archiveA); },
         attente.arg(QStringLiteral("le changement de classe de ELEVE1 Jean vers la classe 6B"))},
        {"le changement de classe d'un élève supprimé depuis",
         [&] {
             deplacement(parti, archiveA);
             base().exec(QStringLiteral("DELETE FROM Eleves WHERE CdeEleves = ?1"), {parti.toLongLong()});
         },
         attente.arg(QStringLiteral("le changement de classe d'un élève qui n'est plus dans la base vers la classe 6B"))},
        {"un classement fait, dont la photo reste à retirer", [&] { classement(code, QStringLiteral("1")); }, {}},
        {"les travaux d'un autre établissement",
         [&] {
             classement(autre, QString());
             deplacement(zoe, archiveAutre);
         },
         {}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        c.travail();
        EXPECT_EQ(etablissements::renommer(code, QStringLiteral("Ecole B")), c.refus);

        const QString nom = c.refus.isEmpty() ? QStringLiteral("Ecole B") : QStringLiteral("Ecole A");
        EXPECT_EQ(nomEnBase(code), nom);
        EXPECT_TRUE(dossiersSous(nom));
        if (c.refus.isEmpty()) {
            for (const QString& dossier : dossiers_etab::de(QStringLiteral("Ecole A")).tous())
                EXPECT_FALSE(QFileInfo::exists(dossier)) << dossier.toStdString();
            ASSERT_EQ(etablissements::renommer(code, QStringLiteral("Ecole A")), QString());
        }
        base().exec(QStringLiteral("DELETE FROM JournalClassement"));
        base().exec(QStringLiteral("DELETE FROM DeplacementsPhotos"));
    }
}
