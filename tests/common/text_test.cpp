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

// Both programs read every price by one rule: a text that is not plainly a
// price is refused whole, never read as the number it starts with, and what
// is read is written back one way.
TEST(Texte, UnPrixSeLitParUneSeuleRegle)
{
    const struct {
        const char* price;
        std::optional<qint64> cents;
        const char* written; // what priceText gives
    } prices[] = {
        {"12,50", 1250, "12,50"},
        {"12.50", 1250, "12,50"},
        {"12.5", 1250, "12,5"},
        {"12", 1200, "12"},
        {"12,", 1200, "12"},
        {",5", 50, "0,5"},
        {"0", 0, "0"},
        {"007,05", 705, "7,05"},
        {" 12,50 ", 1250, "12,50"},
        {"", 0, ""},
        {"999999,99", 99'999'999, "999999,99"},
        {"000000000000000000012,50", 1250, "12,50"},
        // Refused, and given back as they are.
        {"1.250,00", std::nullopt, "1.250,00"},
        {"1,250,00", std::nullopt, "1,250,00"},
        {"-5", std::nullopt, "-5"},
        {"+5", std::nullopt, "+5"},
        {"15 euros", std::nullopt, "15 euros"},
        {"7,5 €", std::nullopt, "7,5 €"},
        {"12,5,0", std::nullopt, "12,5,0"},
        {"12.5.3", std::nullopt, "12.5.3"},
        {"3,999", std::nullopt, "3,999"},
        {"1 234,56", std::nullopt, "1 234,56"},
        {",", std::nullopt, ","},
        {"abc", std::nullopt, "abc"},
        {"x12", std::nullopt, "x12"},
        {"１２", std::nullopt, "１２"},
        {"1000000", std::nullopt, "1000000"},
        {"999999,991", std::nullopt, "999999,991"},
        {"12345678901234567890", std::nullopt, "12345678901234567890"},
    };
    for (const auto& p : prices) {
        const QString price = QString::fromUtf8(p.price);
        EXPECT_EQ(text::priceCents(price), p.cents) << p.price;
        EXPECT_EQ(text::priceText(price), QString::fromUtf8(p.written)) << p.price;
        // A refusal is said exactly when the price is refused, and quotes it.
        EXPECT_EQ(text::priceRefusal(price).isEmpty(), p.cents.has_value()) << p.price;
        if (!p.cents) {
            EXPECT_TRUE(text::priceRefusal(price).contains(price)) << p.price;
        }
    }
    EXPECT_TRUE(text::priceRefusal(QStringLiteral("1000000")).contains(text::kPriceMaxText));
}
