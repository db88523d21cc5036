#include "common/helpers.h"
#include "common/paths.h"
#include "tests/support/sandbox.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

TEST(Chemins, LesNomsDeviennentUnSeulComposant)
{
    const struct {
        const char* name;
        const char* component;
        bool refused;
    } cases[] = {
        {"Collège Jeanne d'Arc", "Collège Jeanne d'Arc", false},
        {"6e/A", "6e_A", false},
        {"../../etc", ".._.._etc", false},
        {"..", "..", true},
        {".", ".", true},
        {"", "", true},
        {"   ", "   ", true},
    };
    for (const auto& c : cases) {
        const QString name = QString::fromUtf8(c.name);
        EXPECT_EQ(paths::component(name), QString::fromUtf8(c.component)) << c.name;
        EXPECT_EQ(!paths::componentRefusal(name).isEmpty(), c.refused) << c.name;
    }
    EXPECT_EQ(paths::component(QStringLiteral("a") + QChar(u'\0') + QStringLiteral("b")), QStringLiteral("a_b"));
}

// No control character enters a name, wherever it sits; the message names
// the field and says which character, as the user sees none.
TEST(Chemins, UnNomNeContientAucunCaractereDeControle)
{
    const QString champ = QStringLiteral("Le nom de l'établissement");
    const struct {
        QString name;
        const char* said; // "" when the name is taken
    } cases[] = {
        {QStringLiteral("Ecole fin\n"), "un saut de ligne"},
        {QStringLiteral("Ecole\r\nfin"), "un saut de ligne"},
        {QStringLiteral("\n"), "un saut de ligne"},
        {QStringLiteral("6\tA"), "une tabulation"},
        {QStringLiteral("A") + QChar(u'\0'), "un caractère nul"},
        {QStringLiteral("A\x1B"), "un caractère de contrôle (U+001B)"},
        {QStringLiteral("A\x7F"), "un caractère de contrôle (U+007F)"},
        {QStringLiteral("A") + QChar(0x0085), "un saut de ligne"},
        {QStringLiteral("A") + QChar(0x009C), "un caractère de contrôle (U+009C)"},
        {QStringLiteral("A") + QChar(0x2028) + QStringLiteral("B"), "un saut de ligne"},
        {QStringLiteral("A") + QChar(0x2029), "un saut de ligne"},
        {QString::fromUtf8("Œuvre – École\u00A0Zoé"), ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        const QString refusal = paths::componentRefusal(c.name, champ);
        EXPECT_EQ(paths::controlRefusal(c.name, champ), refusal);
        if (*c.said == 0) {
            EXPECT_EQ(refusal, QString());
            continue;
        }
        EXPECT_EQ(refusal, QStringLiteral("Le nom de l'établissement contient %1, qui ne peut pas figurer dans un nom "
                                          "de fichier ou de dossier : retirez-le.")
                               .arg(QString::fromUtf8(c.said)));
    }
    // A name stored before keeps its folders, to be renamed with them.
    EXPECT_TRUE(paths::namesFolder(QStringLiteral("Ecole fin\n")));
    EXPECT_FALSE(paths::namesFolder(QStringLiteral("\n")));
    EXPECT_EQ(paths::componentRefusal(QStringLiteral(".."), QStringLiteral("La classe")),
              QStringLiteral("La classe « .. » ne peut pas servir de nom de dossier."));
}

TEST(Chemins, LaRacineDuDisqueSuitLEnvironnement)
{
    Sandbox sandbox;
    EXPECT_EQ(paths::driveRoot(), sandbox.root());
    EXPECT_EQ(paths::onDrive({QStringLiteral("VizmoraDatas"), QStringLiteral("zlvsyst.idx")}),
              sandbox.root() + QStringLiteral("/VizmoraDatas/zlvsyst.idx"));
    EXPECT_EQ(paths::join(QStringLiteral("/a/"), {QStringLiteral("b"), QString(), QStringLiteral("c")}),
              QStringLiteral("/a/b/c"));
    EXPECT_EQ(paths::programDir(), sandbox.programDir());
    EXPECT_TRUE(paths::dataDir().startsWith(sandbox.dataHome() + u'/'));
    EXPECT_NE(paths::dataDir(), sandbox.programDir());
    EXPECT_TRUE(QFileInfo(paths::dataDir()).isDir());
    ASSERT_TRUE(QDir(sandbox.desktop()).removeRecursively());
    EXPECT_EQ(paths::desktop(), sandbox.desktop());
    EXPECT_TRUE(QFileInfo(sandbox.desktop()).isDir());
}

TEST(Utilitaires, FichierExisteNeRepondQuePourLesFichiers)
{
    Sandbox sandbox;
    const QString file = Sandbox::writeFile(sandbox.path(QStringLiteral("a.txt")), "x");
    ASSERT_TRUE(QDir().mkpath(sandbox.path(QStringLiteral("dossier"))));
    EXPECT_TRUE(FichierExiste(file));
    EXPECT_FALSE(FichierExiste(sandbox.path(QStringLiteral("absent.txt"))));
    EXPECT_FALSE(FichierExiste(sandbox.path(QStringLiteral("dossier"))));
    EXPECT_FALSE(FichierExiste(QString()));
}

TEST(Utilitaires, LesReglagesFontLAllerRetourDansLaConfigurationDeLUtilisateur)
{
    Sandbox sandbox;
    const QString key = QStringLiteral("Software\\ZLV");
    EXPECT_FALSE(LireRegistre(key, QStringLiteral("csv")).has_value());
    EXPECT_TRUE(EcrireRegistre(key, QStringLiteral("csv"), QStringLiteral(";")));
    EXPECT_TRUE(EcrireRegistre(QStringLiteral("SOFTWARE\\ZLV"), QStringLiteral("DateMaj"), QStringLiteral("09/12/2026")));
    EXPECT_EQ(LireRegistre(key, QStringLiteral("csv")), QStringLiteral(";"));
    EXPECT_EQ(LireRegistre(key, QStringLiteral("DateMaj")), QStringLiteral("09/12/2026"));
    EXPECT_TRUE(EcrireRegistre(key, QStringLiteral("avecNul"), QStringLiteral("abc") + QChar(u'\0') + QStringLiteral("def")));
    EXPECT_EQ(LireRegistre(key, QStringLiteral("avecNul")), QStringLiteral("abc"));
    EXPECT_EQ(fichierRegistre(key), qEnvironmentVariable("XDG_CONFIG_HOME") + QStringLiteral("/ZLV.ini"));
    EXPECT_TRUE(QFileInfo::exists(fichierRegistre(key)));
}

TEST(Utilitaires, DesReglagesImpossiblesAEcrireSontSignalesEnNommantLeFichier)
{
    Sandbox sandbox;
    const QString key = QStringLiteral("Software\\ZLV");
    sandbox.blockSettingsFile(QStringLiteral("ZLV.ini"));
    EXPECT_FALSE(EcrireRegistre(key, QStringLiteral("csv"), QStringLiteral(",")));
    EXPECT_FALSE(LireRegistre(key, QStringLiteral("csv")).has_value());
    const QString message = RegistreNonEcrit(key, QStringLiteral("rien n'est retenu."));
    EXPECT_TRUE(message.contains(sandbox.configHome() + QStringLiteral("/ZLV.ini"))) << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral("rien n'est retenu."))) << message.toStdString();
}
