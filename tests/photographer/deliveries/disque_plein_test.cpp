#include "tests/photographer/deliveries/livraison_fixture.h"
#include "tests/support/small_disk.h"

#include "photographer/deliveries/echange.h"
#include "photographer/deliveries/jeux_photos.h"
#include "photographer/deliveries/paquet_ecole.h"

class DisquePlein : public LivraisonFixture {};

TEST_F(DisquePlein, ChaqueLivraisonDitQuelFichierNAPasPuEtreEcritEtGardeLaPrecedente)
{
    // fillLeaving stops within a block of what it leaves: below zero, it fills the disk to its last block.
    constexpr qint64 kRien = -4096;
    const auto paquet = [] { return paquet_ecole::livrer(etat::CodeEtabEnCours, [](int) {}); };
    const struct {
        const char* cas;
        const char* dossier;  // the small disk's folder on the desktop
        qint64 reste;         // left free once the first delivery is written
        std::function<livraison::Issue()> livrer;
        const char* fichierNomme;
    } cas[] = {
        {"paquet, au milieu des photos", "A Graver", 4096, paquet, "A Graver/Collège Jeanne d'Arc/images/"},
        {"liste du labo", "labo", kRien, paquet, "labo/Collège Jeanne d'Arc_"},
        {"jeu renommé", "A Graver", kRien,
         [] {
             return jeux_photos::livrer(*jeux_photos::regleDEntree(QStringLiteral("MNU_Photos_Nom_prenom")),
                                        etat::CodeEtabEnCours, etat::NomEtabEnCours, [](int) {});
         },
         "A Graver/Collège Jeanne d'Arc BR/"},
        {"fichier d'échange", "Operateur", kRien, [] { return echange::exporter(etat::CodeEtabEnCours, [](int) {}); },
         "Operateur/Collège Jeanne d'Arc.att"},
    };
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(etat::NomEtabEnCours);
    for (const char* nom : {"DUPONT", "MARTIN", "DE LA TOUR"}) {
        photo(dossiers.donnees, eleve(QStringLiteral("6A"), QString::fromLatin1(nom), QStringLiteral("Jean")) + QStringLiteral(".jpg"));
        photo(dossiers.br, QString::fromLatin1(nom) + QStringLiteral(" Jean.jpg"));
    }
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        const QString dossier = bureau(QString::fromUtf8(c.dossier));
        SmallDisk disque(dossier, 1024 * 1024);
        if (!disque.active())
            GTEST_SKIP() << "monter un petit disque demande les droits d'administrateur";
        ASSERT_TRUE(c.livrer().reussie);
        disque.fillLeaving(c.reste);
        const QMap<QString, QByteArray> avant = contenu(dossier);

        const livraison::Issue issue = c.livrer();
        EXPECT_FALSE(issue.reussie);
        EXPECT_TRUE(issue.message.contains(bureau(QString::fromUtf8(c.fichierNomme)))) << issue.message.toStdString();
        EXPECT_TRUE(issue.message.endsWith(QStringLiteral("Le disque est plein."))) << issue.message.toStdString();
        EXPECT_TRUE(contenu(dossier) == avant);
        EXPECT_EQ(QDir(dossier).entryList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot).filter(QStringLiteral(".partiel")),
                  QStringList());
    }
}
