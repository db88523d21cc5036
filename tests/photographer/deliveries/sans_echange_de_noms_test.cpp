#include "tests/photographer/deliveries/livraison_fixture.h"

#include "photographer/deliveries/echange.h"
#include "photographer/deliveries/jeux_photos.h"
#include "photographer/deliveries/paquet_ecole.h"
#include "tests/support/exfat_disk.h"
#include "tests/support/renames_double.h"

#include <QRegularExpression>

// Network home folders, exFAT and NTFS disks rename neither by exchanging two
// names nor by refusing a taken one: each delivery still replaces the one
// before it, whole, time after time, and leaves nothing aside.
class SansEchangeDeNoms : public LivraisonFixture {
protected:
    // Hidden entries included, without going down.
    QStringList entrees(const QString& dossier) const
    {
        return QDir(bureau(dossier)).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    }

    // A student with a picture in the establishment's folders, as the shoot files them.
    QString eleveAvecPhotos(const QString& nom)
    {
        const QString cle = eleve(QStringLiteral("6A"), nom, QStringLiteral("Jean"));
        const dossiers_etab::Dossiers dossiers = dossiers_etab::de(etat::NomEtabEnCours);
        photo(dossiers.donnees, cle + QStringLiteral(".jpg"));
        photo(dossiers.br, nom + QStringLiteral(" Jean.jpg"));
        photo(dossiers.archive, QStringLiteral("6Axsepx") + nom + QStringLiteral("xsepxJeanxsepx.jpg"));
        return cle;
    }

    const jeux_photos::Regle& regle(const QString& forme) const
    {
        for (const jeux_photos::Regle& r : jeux_photos::regles()) {
            if (r.forme == forme)
                return r;
        }
        ADD_FAILURE() << forme.toStdString();
        return jeux_photos::regles().front();
    }

    // The package, a set that replaces its folder, a lab set that adds to
    // its own and the exchange file, three times each, a student more each time.
    void troisLivraisons()
    {
        const QString etab = etat::NomEtabEnCours;
        QStringList cles;
        for (const QString& nom : {QStringLiteral("ALPHA"), QStringLiteral("BRAVO"), QStringLiteral("CHARLIE")}) {
            SCOPED_TRACE(nom.toStdString());
            cles << eleveAvecPhotos(nom);

            const livraison::Issue paquet = paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {});
            ASSERT_TRUE(paquet.reussie) << paquet.message.toStdString();
            QStringList images;
            for (const QString& cle : cles)
                images << QStringLiteral("images/") + cle + QStringLiteral(".jpg");
            EXPECT_EQ(arbre(bureau(QStringLiteral("A Graver/") + etab)).filter(QStringLiteral("images/")), images);
            db::Database ecole(bureau(QStringLiteral("A Graver/") + etab + QStringLiteral("/classevizmora.idx")));
            EXPECT_EQ(ecole.scalar(QStringLiteral("SELECT count(*) FROM Eleves")), QString::number(cles.size()));

            for (const char* forme : {"TransfertBR", "TransfertHD1"}) {
                const livraison::Issue jeu = jeux_photos::livrer(regle(QString::fromLatin1(forme)), etat::CodeEtabEnCours, etab, [](int) {});
                ASSERT_TRUE(jeu.reussie) << forme << " : " << jeu.message.toStdString();
            }
            EXPECT_EQ(arbre(bureau(QStringLiteral("A Graver/") + etab + QStringLiteral(" BR"))).size(), cles.size());
            EXPECT_EQ(arbre(bureau(QStringLiteral("labo/") + etab)).size(), cles.size());

            const livraison::Issue echange = echange::exporter(etat::CodeEtabEnCours, [](int) {});
            ASSERT_TRUE(echange.reussie) << echange.message.toStdString();
            db::Database fichier(bureau(QStringLiteral("Operateur/") + etab + QStringLiteral(".att")));
            EXPECT_EQ(fichier.scalar(QStringLiteral("SELECT count(*) FROM Eleves")), QString::number(cles.size()));

            EXPECT_EQ(entrees(QStringLiteral("A Graver")), (QStringList{etab, etab + QStringLiteral(" BR")}));
            EXPECT_EQ(entrees(QStringLiteral("labo")).filter(QRegularExpression(QStringLiteral("^\\."))), QStringList());
            EXPECT_EQ(entrees(QStringLiteral("Operateur")), QStringList{etab + QStringLiteral(".att")});
        }
    }
};

TEST_F(SansEchangeDeNoms, ChaqueLivraisonRemplaceLaPrecedente)
{
    const WithoutRenameFlags sansOptions;
    troisLivraisons();
}

TEST_F(SansEchangeDeNoms, SurUnDisqueExfatChaqueLivraisonRemplaceLaPrecedente)
{
    const ExfatDisk disque(sandbox_.desktop(), sandbox_.path(QStringLiteral("bureau.img")));
    if (!disque.active())
        GTEST_SKIP() << "an exFAT file system needs root, a loop device and exfat-fuse";
    troisLivraisons();
}
