#include "common/printing.h"
#include "school/class_board/documents.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "school/group_board/planche_groupe.h"
#include "school/printing/recueils.h"

#include "tests/school/support/school_fixture.h"
#include "tests/support/pdf_reader.h"

#include <QDir>
#include <QImage>
#include <QPdfWriter>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

QStringList nomsEleves(const QString& texte)
{
    QStringList noms;
    for (const auto& trouve : QRegularExpression(QStringLiteral("Nom\\d{3}")).globalMatch(texte))
        noms << trouve.captured();
    noms.sort();
    return noms;
}

QStringList nomsAttendus(int premier, int dernier)
{
    QStringList noms;
    for (int i = premier; i <= dernier; ++i)
        noms << QStringLiteral("Nom%1").arg(i, 3, 10, QLatin1Char('0'));
    return noms;
}

// The portraits seen on a page rendered at a low resolution: each region of
// one saturated colour is one picture (neighbours have hues far apart).
// Answers, per row of pictures, how many stand side by side.
std::vector<int> portraitsParRangee(const QImage& page)
{
    const auto sature = [](const QColor& c) { return c.hsvSaturation() > 120 && c.value() > 170; };
    const auto proches = [](const QColor& a, const QColor& b) {
        return std::max({std::abs(a.red() - b.red()), std::abs(a.green() - b.green()), std::abs(a.blue() - b.blue())})
               < 30;
    };
    std::vector<std::vector<bool>> vu(size_t(page.height()), std::vector<bool>(size_t(page.width())));
    std::vector<int> hauts; // top of each picture
    for (int y = 0; y < page.height(); ++y) {
        for (int x = 0; x < page.width(); ++x) {
            const QColor graine = page.pixelColor(x, y);
            if (vu[size_t(y)][size_t(x)] || !sature(graine))
                continue;
            std::vector<QPoint> pile{{x, y}};
            vu[size_t(y)][size_t(x)] = true;
            int surface = 0;
            while (!pile.empty()) {
                const QPoint p = pile.back();
                pile.pop_back();
                ++surface;
                for (const QPoint d : {QPoint(1, 0), QPoint(-1, 0), QPoint(0, 1), QPoint(0, -1)}) {
                    const QPoint q = p + d;
                    if (page.rect().contains(q) && !vu[size_t(q.y())][size_t(q.x())]
                        && proches(page.pixelColor(q), graine)) {
                        vu[size_t(q.y())][size_t(q.x())] = true;
                        pile.push_back(q);
                    }
                }
            }
            if (surface >= 100) // not a seam between two pictures
                hauts.push_back(y);
        }
    }
    std::sort(hauts.begin(), hauts.end());
    std::vector<int> rangees;
    int hautRangee = -100;
    for (int haut : hauts) {
        if (haut - hautRangee > 3) {
            rangees.push_back(0);
            hautRangee = haut;
        }
        ++rangees.back();
    }
    return rangees;
}

class ImpressionPdf : public ::testing::Test {
protected:
    ImpressionPdf()
    {
        etat::NomEtabEnCours = QStringLiteral("Collège Sud");
        ecole.ajouterClasse(QStringLiteral("5B"), 50);
        documents = ecrireDocumentsClasse(ecole.dossier(), QStringLiteral("5B"),
                                          elevesDeClasse(base::db(), QStringLiteral("5B")));
    }

    // Prints through the program's print function on the page its print dialog offers.
    QString imprimer(const QString& document)
    {
        const QString pdf = document + QStringLiteral(".pdf");
        QPdfWriter imprimante(pdf);
        printing::useDocumentPage(imprimante);
        EXPECT_EQ(printing::printHtmlFile(document, imprimante), QString());
        return pdf;
    }

    SchoolFixture ecole;
    DocumentsEcrits documents;
};

TEST_F(ImpressionPdf, ChaquePlancheDonneLesCinquanteElevesEnPagesPleines)
{
    for (const qint64 cle : ecole.ajouterClasse(QStringLiteral("4C"), 50))
        ecole.ajouterAuGroupe(QStringLiteral("Chorale"), cle);
    const QString classe = QStringLiteral("5B");
    const struct {
        const char* forme;
        QString document;
    } planches[] = {
        {"class", documents.planche},
        {"class rebuilt after a move",
         ecrirePlancheClasse(ecole.dossier(), classe, elevesDeClasse(base::db(), classe)).planche},
        // A group's cells name the class too: one line taller.
        {"group", planche_groupe::ecrireDocument(ecole.dossier(), QStringLiteral("Chorale"),
                                                 membresDuGroupe(base::db(), QStringLiteral("Chorale")))
                      .planche},
    };
    for (const auto& planche : planches) {
        ASSERT_FALSE(planche.document.isEmpty()) << planche.forme;
        const QString pdf = imprimer(planche.document);
        ASSERT_EQ(pdf_reader::pageCount(pdf), 2) << planche.forme;
        // The first page ends where it is full: five whole rows of seven, the
        // rest on the second.
        EXPECT_EQ(nomsEleves(pdf_reader::pageText(pdf, 1)), nomsAttendus(1, 35)) << planche.forme;
        EXPECT_EQ(nomsEleves(pdf_reader::pageText(pdf, 2)), nomsAttendus(36, 50)) << planche.forme;
    }
}

// Names of 40 characters take three lines under each portrait: four rows of
// such cells fill a page. Each page holds as many whole rows as fit, so no
// page carries a lone row that the one before had room for.
TEST_F(ImpressionPdf, LesNomsLongsRemplissentChaquePage)
{
    const auto nomLong = [](int i) {
        return QStringLiteral("Nom%1 de La Tour-Saint-Exupéry Montfort").arg(i, 3, 10, QLatin1Char('0'));
    };
    for (int i = 1; i <= 43; ++i) {
        const qint64 cle = ecole.ajouterEleve(QStringLiteral("3L"), nomLong(i), QStringLiteral("Prénom"));
        ecole.ajouterAuGroupe(QStringLiteral("Latin"), cle);
        if (i <= 35)
            ecole.ajouterEleve(QStringLiteral("4L"), nomLong(i), QStringLiteral("Prénom"));
    }
    ASSERT_EQ(nomLong(1).size(), 40);
    // Both boards write filetemp.html: each is printed as soon as written.
    const struct {
        const char* planche;
        std::function<QString()> ecrire;
        std::vector<int> parPage;
    } cas[] = {
        {"group of 43",
         [] {
             return planche_groupe::ecrireDocument(etat::CheminDonnees, QStringLiteral("Latin"),
                                                   membresDuGroupe(base::db(), QStringLiteral("Latin")))
                 .planche;
         },
         {28, 15}},
        {"class of 35",
         [] {
             return ecrireDocumentsClasse(etat::CheminDonnees, QStringLiteral("4L"),
                                          elevesDeClasse(base::db(), QStringLiteral("4L")))
                 .planche;
         },
         {28, 7}},
    };
    for (const auto& c : cas) {
        const QString pdf = imprimer(c.ecrire());
        std::vector<int> parPage;
        QStringList tous;
        for (int page = 1; page <= pdf_reader::pageCount(pdf); ++page) {
            const QStringList noms = nomsEleves(pdf_reader::pageText(pdf, page));
            parPage.push_back(int(noms.size()));
            tous << noms;
        }
        EXPECT_EQ(parPage, c.parPage) << c.planche;
        tous.sort();
        EXPECT_EQ(tous.join(u' '), nomsAttendus(1, c.parPage[0] + c.parPage[1]).join(u' ')) << c.planche;
    }
}

// PDF search must find a board's heading on its own page only.
TEST_F(ImpressionPdf, ChaqueEnTeteDesRecueilsSurSaPageSeulement)
{
    const QStringList noms{QStringLiteral("5e Grande"), QStringLiteral("4e Moyenne"), QStringLiteral("3e Petite")};
    std::vector<recueils::Page> pages;
    for (const QString& nom : noms) {
        ecole.ajouterClasse(nom, 10);
        pages.push_back({nom, entreesDocument(ecole.dossier(), elevesDeClasse(base::db(), nom))});
    }
    const QString document = ecole.dossier() + QStringLiteral("/filetemp.html");
    for (const QString& type : {QStringLiteral("Classe"), QStringLiteral("Groupe")}) {
        ASSERT_EQ(html::ecrire(document, recueils::tousLesTableaux(QStringLiteral("Collège Sud"), type, pages)), QString());
        const QString pdf = imprimer(document);
        ASSERT_EQ(pdf_reader::pageCount(pdf), 3) << type.toStdString();
        for (int page = 1; page <= 3; ++page) {
            const QString texte = pdf_reader::pageText(pdf, page).simplified();
            for (int n = 0; n < noms.size(); ++n)
                EXPECT_EQ(texte.contains(type + QStringLiteral(" : ") + noms[n]), n + 1 == page)
                    << type.toStdString() << " page " << page << " " << noms[n].toStdString();
        }
    }
}

TEST_F(ImpressionPdf, AucuneCarteNEstCoupeeEntreDeuxPages)
{
    const QString pdf = imprimer(documents.cartes);
    const int pages = pdf_reader::pageCount(pdf);
    ASSERT_GT(pages, 1);
    QStringList tous;
    for (int page = 1; page <= pages; ++page) {
        const QString texte = pdf_reader::pageText(pdf, page);
        // A card cut at a page's end leaves its first lines on one page and
        // its last on the next.
        const qsizetype cartes = texte.count(QStringLiteral("Nom : "));
        EXPECT_EQ(texte.count(QStringLiteral("N° INE")), cartes) << "page " << page;
        EXPECT_EQ(texte.count(QStringLiteral("Prénom : ")), cartes) << "page " << page;
        tous << nomsEleves(texte);
    }
    tous.sort();
    EXPECT_EQ(tous, nomsAttendus(1, 50));
}

TEST_F(ImpressionPdf, LesEtiquettesSontToutesImprimeesSurSixColonnes)
{
    const QString pdf = imprimer(documents.etiquettes);
    const QString prefixe = QDir(ecole.dossier()).filePath(QStringLiteral("etiquettes"));
    pdf_reader::renderPages(pdf, 30, prefixe);
    std::vector<int> rangees;
    for (int page = 1; page <= pdf_reader::pageCount(pdf); ++page) {
        const QImage image(prefixe + QStringLiteral("-%1.png").arg(page));
        ASSERT_FALSE(image.isNull()) << "page " << page;
        for (int n : portraitsParRangee(image))
            rangees.push_back(n);
    }
    // Five labels on the first row, six on every further row: 50 = 5 + 7 x 6 + 3.
    std::vector<int> attendu{5};
    attendu.insert(attendu.end(), 7, 6);
    attendu.push_back(3);
    EXPECT_EQ(rangees, attendu);
}

} // namespace
