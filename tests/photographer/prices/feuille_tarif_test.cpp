#include "common/printing.h"
#include "common/text.h"
#include "photographer/prices/feuille_tarif.h"
#include "tests/support/pdf_reader.h"

#include <gtest/gtest.h>

#include <QDateTime>
#include <QFont>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <algorithm>
#include <cmath>

namespace {

// The first word of that text below the height given, in points.
const pdf_reader::Word* motSous(const std::vector<pdf_reader::Word>& page, const QString& texte, double haut)
{
    const auto trouve = std::find_if(page.begin(), page.end(), [&](const pdf_reader::Word& mot) {
        return mot.text == texte && mot.box.top() > haut;
    });
    return trouve == page.end() ? nullptr : &*trouve;
}

// The box of the words on the line of that box.
QRectF ligneDe(const std::vector<pdf_reader::Word>& page, const QRectF& boite)
{
    QRectF ligne = boite;
    for (const pdf_reader::Word& mot : page)
        if (std::abs(mot.box.center().y() - boite.center().y()) < boite.height() / 2)
            ligne |= mot.box;
    return ligne;
}

struct Papier {
    const char* nom;
    QPageSize::PageSizeId format;
};

class FeuilleTarifImprimee : public testing::TestWithParam<Papier> {};

// Printed as the desktop's print command does, on the page its print dialog
// offers or on the other common one: the sheet's tables one under another
// across the page, none pushed aside by another nor cut by its edge, in text
// read without a magnifying glass.
TEST_P(FeuilleTarifImprimee, SesTableauxSeSuiventSurLaLargeurDeLaPageEnTexteLisible)
{
    QTemporaryDir dossier;
    ASSERT_TRUE(dossier.isValid());
    const feuille_tarif::Feuille feuille{
        QStringLiteral("Ecole Test"),
        {QStringLiteral("Pochette 3"), QStringLiteral("13"), QStringLiteral("16")},
        {{QStringLiteral("Portrait"), QStringLiteral("3"), QStringLiteral("3")},
         {QStringLiteral("Tirage"), QStringLiteral("6"), QStringLiteral("6,5")}},
        {{QStringLiteral("Duo"), QStringLiteral("12,5"), {}}, {QStringLiteral("Trio"), QStringLiteral("25"), {}}}};
    const QString html = dossier.filePath(QStringLiteral("fileTarif.html"));
    ASSERT_EQ(text::writeLines(html, feuille_tarif::lignes(feuille, QDateTime(QDate(2026, 3, 9), QTime(14, 30, 5))),
                               text::Unmappable::HtmlEntity),
              QString());
    const QString pdf = dossier.filePath(QStringLiteral("feuille.pdf"));
    QRectF imprimable;
    {
        QPdfWriter imprimante(pdf);
        printing::useDocumentPage(imprimante);
        imprimante.setPageSize(QPageSize(GetParam().format));
        imprimable = imprimante.pageLayout().paintRect(QPageLayout::Point);
        ASSERT_EQ(printing::printHtmlFile(html, imprimante, feuille_tarif::kPointsImprimes), QString());
    }
    ASSERT_EQ(pdf_reader::pageCount(pdf), 1);
    const std::vector<pdf_reader::Word> page = pdf_reader::pageWords(pdf, 1);
    ASSERT_FALSE(page.empty());

    // The sheet sets no font: it prints in the program's.
    const QFont police = QGuiApplication::font();
    double plusPetit = 1e9, droite = 0;
    for (const pdf_reader::Word& mot : page) {
        plusPetit = std::min(plusPetit, pdf_reader::printedPoints(mot, police));
        droite = std::max(droite, mot.box.right());
        EXPECT_TRUE(imprimable.adjusted(-1, -1, 1, 1).contains(mot.box)) << mot.text.toStdString();
    }
    EXPECT_GE(plusPetit, 9.0) << "points, the smallest text";
    EXPECT_GT(droite, imprimable.left() + 0.75 * imprimable.width()) << "the sheet keeps to a strip of the page";

    // Top to bottom, each line starting at the left margin: the pack, the
    // articles, the incomplete packs, each under its banner, centred on the page.
    const struct {
        const char* mot;
        bool bandeau;
    } lignes[] = {{"Tarif", false},    {"complète", true}, {"Pochette", false}, {"Contenu", true}, {"Portrait", false},
                  {"Tirage", false},   {"Incomplete", true}, {"Duo", false},  {"Trio", false}};
    double haut = 0;
    for (const auto& ligne : lignes) {
        SCOPED_TRACE(ligne.mot);
        const pdf_reader::Word* mot = motSous(page, QString::fromUtf8(ligne.mot), haut);
        ASSERT_NE(mot, nullptr);
        const QRectF boite = mot->box;
        haut = boite.bottom() - 1;
        if (ligne.bandeau)
            EXPECT_NEAR(ligneDe(page, boite).center().x(), imprimable.center().x(), 20);
        else
            EXPECT_LT(boite.left(), imprimable.left() + 17);
    }
}

INSTANTIATE_TEST_SUITE_P(Papiers, FeuilleTarifImprimee,
                         testing::Values(Papier{"A4", QPageSize::A4}, Papier{"Letter", QPageSize::Letter}),
                         [](const testing::TestParamInfo<Papier>& papier) { return std::string(papier.param.nom); });

} // namespace
