#include "common/text.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

TEST(Texte, AllerRetourWindows1252EtCaracteresSansEquivalent)
{
    const struct {
        const char* text;
        QByteArray question;
        QByteArray entity;
    } cases[] = {
        {"Élève", "\xC9l\xE8ve", "\xC9l\xE8ve"},
        {"5 €", "5 \x80", "5 \x80"},
        {"cœur’s", "c\x9Cur\x92s", "c\x9Cur\x92s"},
        {"Ωmega", "?mega", "&#937;mega"},
        {"😀", "?", "&#128512;"},
    };
    for (const auto& c : cases) {
        const QString value = QString::fromUtf8(c.text);
        EXPECT_EQ(text::toWindows1252(value), c.question) << c.text;
        EXPECT_EQ(text::toWindows1252(value, text::Unmappable::HtmlEntity), c.entity) << c.text;
    }
    EXPECT_EQ(text::fromWindows1252("\xC9l\xE8ve \x80 \x9C"), QString::fromUtf8("Élève € œ"));
}

TEST(Texte, LesListesDElevesSontLuesDansLeurEncodage)
{
    const QString expected = QString::fromUtf8("Noël;Hélène\r\n");
    const auto decoded = [](const QByteArray& bytes) { return text::decodeStudentList(bytes).text; };
    EXPECT_EQ(decoded("\xEF\xBB\xBF" + expected.toUtf8()), expected);
    EXPECT_EQ(decoded(expected.toUtf8()), expected);
    EXPECT_EQ(decoded(text::toWindows1252(expected)), expected);
    EXPECT_EQ(decoded("plain;ascii"), QStringLiteral("plain;ascii"));
    // Lists made on some systems write each accent apart from its letter.
    const QString decomposed = expected.normalized(QString::NormalizationForm_D);
    ASSERT_NE(decomposed, expected);
    EXPECT_EQ(decoded(decomposed.toUtf8()), expected);
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(decomposed.utf16()), decomposed.size() * 2);
    EXPECT_EQ(decoded(utf16), expected);
    EXPECT_EQ(text::composed(decomposed), expected);
}

// A list pasted together from two sources: each line as it was written, and
// what joined files leave inside fields (NUL, byte-order marks) gone.
TEST(Texte, UneListeMeleeEstLueLigneParLigne)
{
    using namespace Qt::StringLiterals;
    const struct {
        const char* cas;
        QByteArray bytes;
        QString text;
        int utf8, windows1252;
    } cases[] = {
        {"une ligne UTF-8 parmi des lignes Windows-1252",
         "NOM;PRENOM;CLASSE\r\nDUPONT;H\xE9l\xE8ne;6A\r\nNO\xC3\x8BL;H\xC3\xA9l\xC3\xA8ne;6A\r\nMARTIN;Zo\xE9;5B\r\n"_ba,
         u"NOM;PRENOM;CLASSE\r\nDUPONT;Hélène;6A\r\nNOËL;Hélène;6A\r\nMARTIN;Zoé;5B\r\n"_s, 1, 2},
        {"NUL et marques dans les champs",
         "\xEF\xBB\xBFNOM;CLASSE\nL\xE9\0a;\xEF\xBB\xBF" "6A\n\xC3\x89lo\xC3\xAFse;6\0A\xEF\xBB\xBF\n"_ba,
         u"NOM;CLASSE\nLéa;6A\nÉloïse;6A\n"_s, 1, 1},
        {"fin de ligne CR seul", "Ren\xE9\rJos\xC3\xA9\r\r"_ba, u"René\rJosé\r\r"_s, 1, 1},
        {"UTF-8 d'un bout à l'autre", "\xEF\xBB\xBFNo\xC3\xABl;6\xEF\xBB\xBF" "A\0\r\n"_ba, u"Noël;6A\r\n"_s, 0, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.cas);
        const text::StudentList list = text::decodeStudentList(c.bytes);
        EXPECT_EQ(list.text, c.text);
        EXPECT_EQ(list.utf8Lines, c.utf8);
        EXPECT_EQ(list.windows1252Lines, c.windows1252);
    }
}

TEST(Texte, LEchappementHtmlCouvreLesCaracteresDeBalisage)
{
    EXPECT_EQ(text::htmlEscape(QStringLiteral("d'Arc & <Fils> \"2\"")),
              QStringLiteral("d'Arc &amp; &lt;Fils&gt; &quot;2&quot;"));
}

TEST(Texte, LesFichiersEcritsSontEnCrLfWindows1252EtRemplacentLAncien)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("liste_revu.csv"));
    ASSERT_EQ(text::writeLines(path, {QStringLiteral("un;deux"), QStringLiteral("trois;quatre;longue ligne")},
                               text::Unmappable::Question),
              QString());
    ASSERT_EQ(text::writeLines(path, {QString::fromUtf8("Élève;€")}, text::Unmappable::Question), QString());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("\xC9l\xE8ve;\x80\r\n"));
    const QString error = text::writeLines(dir.filePath(QStringLiteral("absent/x.html")), {QStringLiteral("x")},
                                           text::Unmappable::HtmlEntity);
    EXPECT_TRUE(error.contains(QStringLiteral("absent/x.html")));
}

TEST(Texte, FormatsFrancaisQuelleQueSoitLaLangueDuSysteme)
{
    EXPECT_EQ(text::frenchDate(QDate(2026, 1, 5)), QStringLiteral("05/01/2026"));
    EXPECT_EQ(text::frenchTime(QTime(9, 3, 7)), QStringLiteral("09:03:07"));
    EXPECT_EQ(text::parseFrenchDate(QStringLiteral("18/11/2026")), QDate(2026, 11, 18));
    EXPECT_FALSE(text::parseFrenchDate(QStringLiteral("2026-11-18")).isValid());
}

// Both programs compare and sum prices from the leading number of the text:
// what a price box lets through ("1,2,3", a trailing comma) reads as its first
// number, never as nothing.
TEST(Texte, LesPrixSontLusDepuisLeurNombreInitialEnCentimes)
{
    const struct {
        const char* price;
        qint64 cents;
    } prices[] = {
        {"12,50", 1250}, {"12.50", 1250}, {"12,5", 1250}, {"12", 1200},  {"", 0},          {",", 0},
        {"12,50,", 1250}, {"1,2,3", 120}, {"15,,", 1500}, {"7,5,0", 750}, {"12.5.3", 1250}, {",5", 50},
        {" 1 234,56 ", 123456}, {"3,999", 400}, {"3,994", 399}, {"7,5 €", 750}, {"abc", 0}, {"x12", 0},
        {"-2,5", -250},
    };
    for (const auto& p : prices)
        EXPECT_EQ(text::priceCents(QString::fromUtf8(p.price)), p.cents) << p.price;
}
