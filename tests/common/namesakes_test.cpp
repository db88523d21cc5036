#include "common/namesakes.h"

#include <gtest/gtest.h>

// The number goes before the extension, whatever its case, and comes off again
// only where it was put.
TEST(Homonymes, LeNumeroVaAvantLExtensionEtSenRetire)
{
    const struct {
        const char* nom;
        int numero;
        const char* numerote;
    } cas[] = {
        {"DUPONT Jean.jpg", 1, "DUPONT Jean.jpg"},
        {"DUPONT Jean.jpg", 2, "DUPONT Jean_2.jpg"},
        {"DUPONT Jean.JPG", 12, "DUPONT Jean_12.JPG"},
        {"INE inconnu_0.jpg", 2, "INE inconnu_0_2.jpg"},
        {"Photos", 3, "Photos_3"},
        {"5CxsepxDUPONTxsepxÉmilexsepx.jpg", 2, "5CxsepxDUPONTxsepxÉmilexsepx_2.jpg"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        const QString numerote = namesakes::numbered(QString::fromUtf8(c.nom), c.numero);
        EXPECT_EQ(numerote, QString::fromUtf8(c.numerote));
        EXPECT_EQ(namesakes::unnumbered(numerote, c.numero), QString::fromUtf8(c.nom));
    }
    // A name that does not bear that number keeps its own.
    EXPECT_EQ(namesakes::unnumbered(QStringLiteral("DUPONT Jean_2.jpg"), 3), QStringLiteral("DUPONT Jean_2.jpg"));
    EXPECT_EQ(namesakes::unnumbered(QStringLiteral("DUPONT Jean_12.jpg"), 2), QStringLiteral("DUPONT Jean_12.jpg"));
}
