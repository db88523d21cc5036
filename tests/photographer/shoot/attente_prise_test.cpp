#include "photographer/data/etat.h"
#include "photographer/shoot/attente_prise.h"
#include "photographer/shoot/ordre_prise.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using capture::WatchedFolder;

constexpr qint64 kSeconde = WatchedFolder::kSecond;

WatchedFolder::Waiting enAttente(WatchedFolder::Wait pourquoi, const QByteArray& nom = "IMG_0007.JPG")
{
    return {{"/photos/" + nom, 10, 0}, pourquoi, 100 * kSeconde};
}

struct LigneCas {
    WatchedFolder::Wait pourquoi;
    const char* raison;
};

TEST(AttentePrise, LaLigneNommeLeFichierEtCeQuiLeRetientPasseUnDelai)
{
    const std::vector<LigneCas> cas{
        {WatchedFolder::Wait::Written, "est encore écrite par un autre programme"},
        {WatchedFolder::Wait::NotWhole, "n'est pas encore complète"},
        {WatchedFolder::Wait::Unreadable, "ne peut pas être lue (droits du fichier)"},
    };
    for (const LigneCas& c : cas) {
        AttentePrise attente;
        const WatchedFolder::Waiting fichier = enAttente(c.pourquoi);
        EXPECT_EQ(attente.apres(fichier, fichier.since + WatchedFolder::kSayWaitingAfter - 1).ligne, QString()) << c.raison;
        const AttentePrise::Dire dire = attente.apres(fichier, fichier.since + WatchedFolder::kSayWaitingAfter);
        EXPECT_TRUE(dire.ligne.startsWith(QStringLiteral("La photo « IMG_0007.JPG » ") + QString::fromUtf8(c.raison)))
            << dire.ligne.toStdString();
        EXPECT_EQ(dire.boite, QString());
    }
    EXPECT_EQ(AttentePrise().apres(std::nullopt, 1000 * kSeconde).ligne, QString());
}

TEST(AttentePrise, UnFichierTenuOuvertTroisMinutesEstDitUneFoisEnBoite)
{
    const QString dossierHot = std::exchange(etat::DossierHot, QStringLiteral("/photos/"));
    AttentePrise attente;
    const WatchedFolder::Waiting ouvert = enAttente(WatchedFolder::Wait::Written);
    const qint64 troisMinutes = ouvert.since + WatchedFolder::kStillBeforeCutShort;
    EXPECT_EQ(attente.apres(ouvert, troisMinutes - kSeconde).boite, QString());
    const QString boite = attente.apres(ouvert, troisMinutes).boite;
    EXPECT_TRUE(boite.contains(QStringLiteral("« IMG_0007.JPG » est ouverte en écriture par un autre programme")));
    EXPECT_TRUE(boite.contains(QStringLiteral("Fermez ce programme, ou sortez ce fichier du dossier de réception")));
    const AttentePrise::Dire ensuite = attente.apres(ouvert, troisMinutes + 10 * kSeconde);
    EXPECT_EQ(ensuite.boite, QString()) << "said once";
    EXPECT_FALSE(ensuite.ligne.isEmpty()) << "the line stays";

    // Another file held as long is said in its turn; a file merely not whole never is.
    EXPECT_FALSE(attente.apres(enAttente(WatchedFolder::Wait::Written, "IMG_0008.JPG"), troisMinutes).boite.isEmpty());
    EXPECT_EQ(attente.apres(enAttente(WatchedFolder::Wait::NotWhole, "IMG_0009.JPG"), troisMinutes).boite, QString());
    // After a stop, the same file still held is said again.
    attente.oublier();
    EXPECT_FALSE(attente.apres(ouvert, troisMinutes).boite.isEmpty());
    etat::DossierHot = dossierHot;
}

TEST(OrdrePrise, SeulsLesElevesPhotographiesApresSontNommes)
{
    OrdrePrise ordre;
    ordre.classee(exif::CaptureTime{1000, 0}, QStringLiteral("Alpha Anne"));
    ordre.classee(std::nullopt, QStringLiteral("Sans Date"));
    ordre.classee(exif::CaptureTime{1010, 500}, QStringLiteral("Bravo Bob"));
    ordre.classee(exif::CaptureTime{1020, 0}, QStringLiteral("Charlie Chloé"));

    EXPECT_EQ(ordre.prisesApres(exif::CaptureTime{1030, 0}), QStringList());
    EXPECT_EQ(ordre.prisesApres(exif::CaptureTime{1010, 499}),
              (QStringList{QStringLiteral("Bravo Bob"), QStringLiteral("Charlie Chloé")}));
    EXPECT_EQ(ordre.prisesApres(exif::CaptureTime{1010, 500}), QStringList{QStringLiteral("Charlie Chloé")});
    EXPECT_EQ(ordre.prisesApres(std::nullopt), QStringList()) << "no capture time, no order to keep";
    ordre.oublier();
    EXPECT_EQ(ordre.prisesApres(exif::CaptureTime{0, 0}), QStringList());
}

} // namespace
