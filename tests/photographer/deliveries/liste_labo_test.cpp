#include "photographer/deliveries/liste_labo.h"

#include <gtest/gtest.h>

TEST(ListeLabo, ChaqueEleveEstUneLigneDeTroisChamps)
{
    const struct {
        liste_labo::Ligne eleve;
        const char* ligne;
    } cas[] = {
        {{QStringLiteral("12"), QStringLiteral("DUPONT"), QStringLiteral("Jean")}, "12;DUPONT;Jean;"},
        {{QStringLiteral("13"), QStringLiteral("DE LA TOUR"), QStringLiteral("Zoé")}, "13;DE LA TOUR;Zoé;"},
        // A separator or a line break inside a name is written as a blank.
        {{QStringLiteral("14"), QStringLiteral("MARTIN;DURAND"), QStringLiteral("Anne\r\nMarie")}, "14;MARTIN DURAND;Anne  Marie;"},
        {{QStringLiteral("15"), QStringLiteral("\tLEROY\x7f"), QStringLiteral("Paul\nLouis\u0085")}, "15; LEROY ;Paul Louis ;"},
    };
    std::vector<liste_labo::Ligne> eleves;
    QStringList attendues;
    for (const auto& c : cas) {
        eleves.push_back(c.eleve);
        attendues.append(QString::fromUtf8(c.ligne));
    }
    EXPECT_EQ(liste_labo::lignes(eleves), attendues);
}
