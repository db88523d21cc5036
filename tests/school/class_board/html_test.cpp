#include "school/class_board/html.h"

#include "tests/support/golden.h"
#include "tests/support/sandbox.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

std::vector<html::Entree> eleves(int nombre)
{
    std::vector<html::Entree> liste;
    for (int i = 0; i < nombre; ++i)
        liste.push_back({QStringLiteral("Nom%1").arg(i), QStringLiteral("Pre%1").arg(i), QStringLiteral("6A"),
                         QStringLiteral("/d/images/%1.jpg").arg(i)});
    return liste;
}

const html::Entete kClasse{QStringLiteral("Collège Sud"), QStringLiteral("Classe :"), QStringLiteral("6A")};

// The bytes of the document as the program writes it.
QByteArray ecrit(const QStringList& lignes)
{
    Sandbox sandbox;
    const QString chemin = sandbox.path(QStringLiteral("doc.html"));
    EXPECT_EQ(html::ecrire(chemin, lignes), QString());
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Each class and count is chosen to cross a layout rule: the board's rows of
// seven in one table past a printed page's worth of cells, the cards' page
// break before every twelfth card and an odd last card, the labels'
// five-then-six rows.
TEST(PlanchesHtml, LesDocumentsSontCeuxDesModeles)
{
    const struct {
        const char* modele;
        QStringList lignes;
    } cas[] = {
        {"planche_classe.html", html::planche(kClasse, eleves(50), html::Forme::Classe)},
        {"planche_reconstruite.html", html::planche(kClasse, eleves(2), html::Forme::ClasseReconstruite)},
        {"planche_groupe.html",
         html::planche({QStringLiteral("E"), QStringLiteral("Groupe :"), QStringLiteral("Chorale")}, eleves(2),
                       html::Forme::Groupe)},
        {"cartes.html", html::cartes(kClasse, eleves(25))},
        {"etiquettes.html", html::etiquettes(kClasse, eleves(18))},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.modele);
        expectGolden(ecrit(c.lignes), QStringLiteral("school/class_board/golden/") + QLatin1String(c.modele));
    }
}

TEST(PlanchesHtml, ChaqueValeurEstEchappee)
{
    const html::Entete entete{QStringLiteral("A & B <École>"), QStringLiteral("Classe :"), QStringLiteral("6\"A\"")};
    const std::vector<html::Entree> liste{{QStringLiteral("d'Arc & <Fils>"), QStringLiteral("%1 Jeanne"),
                                          QStringLiteral("<b>"), QStringLiteral("/d/images/a&b\".jpg")}};
    for (const QStringList& lignes : {html::planche(entete, liste, html::Forme::Groupe), html::cartes(entete, liste), html::etiquettes(entete, liste)}) {
        const QString tout = lignes.join(QLatin1Char('\n'));
        EXPECT_TRUE(tout.contains(QStringLiteral("/d/images/a&amp;b&quot;.jpg"))) << tout.toStdString();
        EXPECT_FALSE(tout.contains(QStringLiteral("<Fils>")));
        EXPECT_FALSE(tout.contains(QStringLiteral("<École>")));
        EXPECT_FALSE(tout.contains(QStringLiteral("6\"A\"")));
        EXPECT_FALSE(tout.contains(QStringLiteral("<b><br>")));
    }
    const QString cartes = html::cartes(entete, liste).join(QLatin1Char('\n'));
    EXPECT_TRUE(cartes.contains(QStringLiteral("Nom : d'Arc &amp; &lt;Fils&gt;</font>")));
    EXPECT_TRUE(cartes.contains(QStringLiteral("Prénom : %1 Jeanne</b>")));
    EXPECT_TRUE(cartes.contains(QStringLiteral("<TITLE>A &amp; B &lt;École&gt;</TITLE>")));
}

TEST(PlanchesHtml, UneClasseVideNEcritQueLEntete)
{
    const std::vector<html::Entree> aucun;
    EXPECT_EQ(html::planche(kClasse, aucun, html::Forme::Classe).size(), 2);
    const QStringList cartes = html::cartes(kClasse, aucun);
    EXPECT_EQ(cartes.size(), 3);
    EXPECT_TRUE(cartes.last().endsWith(QStringLiteral("<TABLE width=\"650\">")));
    const QStringList etiquettes = html::etiquettes(kClasse, aucun);
    EXPECT_EQ(etiquettes.size(), 3);
    EXPECT_EQ(etiquettes.last(), QStringLiteral("<TABLE width=\"650\">"));
}

TEST(PlanchesHtmlEcriture, Windows1252EnCrLfRemplaceLeFichier)
{
    Sandbox sandbox;
    const QString chemin = Sandbox::writeFile(sandbox.path(QStringLiteral("doc.html")), QByteArray(5000, 'x'));
    ASSERT_EQ(html::ecrire(chemin, {QStringLiteral("Prénom"), QStringLiteral("Łukasz")}), QString());
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Pr\xE9nom\r\n&#321;ukasz\r\n"));
}

TEST(PlanchesHtmlEcriture, UnFichierQuiNePeutEtreEcritDonneUnMessageQuiLeNomme)
{
    // A folder standing where the document goes cannot be replaced, whatever
    // the rights of the user running the tests.
    Sandbox sandbox;
    const QString chemin = sandbox.path(QStringLiteral("doc.html"));
    ASSERT_TRUE(QDir().mkpath(chemin));
    const QString message = html::ecrire(chemin, {QStringLiteral("x")});
    EXPECT_TRUE(message.contains(chemin)) << message.toStdString();
    EXPECT_TRUE(QFileInfo(chemin).isDir());
}

} // namespace
