#include "school/class_board/geometrie.h"

#include <gtest/gtest.h>

namespace {

using geometrie::Ouverture;

struct CasCellule {
    int index;
    QRect image, nom, prenom, suppression, changement;
};

// Pitch 1765 x 2555 twips; cell 0 and the first cell of every row keep the
// design Lefts of cell 0's labels (30) and icons (1440 and 45).
const CasCellule kCellules[] = {
    {0, {0, 0, 1665, 2505}, {30, 1975, 1615, 255}, {30, 2235, 1615, 255}, {1440, 1764, 195, 195}, {45, 1764, 195, 195}},
    {1, {1765, 0, 1665, 2505}, {1815, 1995, 1615, 255}, {1815, 2250, 1615, 255}, {3185, 1800, 195, 195}, {1815, 1800, 195, 195}},
    {8, {14120, 0, 1665, 2505}, {14170, 1995, 1615, 255}, {14170, 2250, 1615, 255}, {15540, 1800, 195, 195}, {14170, 1800, 195, 195}},
    {9, {0, 2555, 1665, 2505}, {30, 4550, 1615, 255}, {30, 4805, 1615, 255}, {1440, 4355, 195, 195}, {45, 4355, 195, 195}},
    {19, {1765, 5110, 1665, 2505}, {1815, 7105, 1615, 255}, {1815, 7360, 1615, 255}, {3185, 6910, 195, 195}, {1815, 6910, 195, 195}},
    {36, {0, 10220, 1665, 2505}, {30, 12215, 1615, 255}, {30, 12470, 1615, 255}, {1440, 12020, 195, 195}, {45, 12020, 195, 195}},
    // Beyond 45 cells the rows go on, nine a row, below the design area.
    {45, {0, 12775, 1665, 2505}, {30, 14770, 1615, 255}, {30, 15025, 1615, 255}, {1440, 14575, 195, 195}, {45, 14575, 195, 195}},
    {59, {8825, 15330, 1665, 2505}, {8875, 17325, 1615, 255}, {8875, 17580, 1615, 255}, {10245, 17130, 195, 195}, {8875, 17130, 195, 195}},
};

TEST(PlanchesGeometrie, CellulesNeufParRangee)
{
    for (const CasCellule& cas : kCellules) {
        SCOPED_TRACE(cas.index);
        const geometrie::Cadres c = geometrie::cellule(cas.index);
        EXPECT_EQ(c.image, cas.image);
        EXPECT_EQ(c.nom, cas.nom);
        EXPECT_EQ(c.prenom, cas.prenom);
        EXPECT_EQ(c.suppression, cas.suppression);
        EXPECT_EQ(c.changement, cas.changement);
    }
}

TEST(PlanchesGeometrie, ClasseDuMembreEnHautAGauche)
{
    EXPECT_EQ(geometrie::cellule(0).classe, QRect(30, 30, 1575, 255));
    EXPECT_EQ(geometrie::cellule(1).classe, QRect(1815, 50, 1575, 255));
    EXPECT_EQ(geometrie::cellule(9).classe, QRect(30, 2605, 1575, 255));
}

TEST(PlanchesGeometrie, LeCadreGranditPourChaqueRangee)
{
    const struct {
        int nombre;
        QSize taille;
    } cas[] = {
        {0, {15855, 12855}}, {1, {15855, 12855}}, {45, {15855, 12855}},
        {46, {15855, 5 * 2555 + 2505}}, {60, {15855, 6 * 2555 + 2505}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nombre);
        EXPECT_EQ(geometrie::tailleCadre(c.nombre), c.taille);
    }
    // The last cell of any class lies inside the frame.
    for (int n : {46, 50, 60, 100})
        EXPECT_TRUE(QRect(QPoint(0, 0), geometrie::tailleCadre(n)).contains(geometrie::cellule(n - 1).prenom)) << n;
}

TEST(PlanchesGeometrie, DocumentSeptParLigneEnUneTable)
{
    const struct {
        int index;
        Ouverture ouverture;
    } cas[] = {
        {0, Ouverture::Table}, {1, Ouverture::Aucune}, {6, Ouverture::Aucune}, {7, Ouverture::Ligne},
        {14, Ouverture::Ligne}, {28, Ouverture::Ligne}, {34, Ouverture::Aucune}, {35, Ouverture::Ligne},
        {36, Ouverture::Aucune}, {42, Ouverture::Ligne}, {70, Ouverture::Ligne}, {84, Ouverture::Ligne},
    };
    for (const auto& c : cas)
        EXPECT_EQ(geometrie::ouvertureDocument(c.index), c.ouverture) << c.index;
}

} // namespace
