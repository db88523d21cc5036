#include "tests/photographer/deliveries/installation_fixture.h"

#include <functional>

#include <sys/stat.h>

namespace {

bool fifo(const QString& chemin)
{
    return ::mkfifo(QFile::encodeName(chemin).constData(), 0644) == 0;
}

} // namespace

// Each package is the delivered one, then damaged or laced with what must
// never be installed. The school's earlier installation stays as it was, and
// nothing outside the package is read for it or written.
TEST_F(Installation, UnPaquetAbimeOuPiegeEstRefuseSansRienChanger)
{
    const QString livre = livrerPaquet();
    const QString intact = garder(livre, QStringLiteral("intact"));
    ASSERT_EQ(installer(livre, environnement()).code, 0);
    const QMap<QString, QByteArray> avant = etat(ecole());

    const QString paquet = sandbox_.path(QStringLiteral("paquet"));
    const auto chemin = [&](const QString& relatif) { return paths::join(paquet, relatif.split(u'/')); };
    const QString photo = QStringLiteral("images/") + fichierEleve(codes_[0]);
    const QString enTrop = QStringLiteral("images/999.jpg");
    // The same bytes as the first picture, outside the package.
    const QString dehors = Sandbox::writeFile(sandbox_.path(QStringLiteral("dehors/photo.jpg")), lire(chemin(photo)));
    const QString autresImages = sandbox_.path(QStringLiteral("dehors/images"));
    const QByteArray octetsDehors = lire(dehors);
    const auto liste = [&] { return lire(chemin(QStringLiteral("contenu.txt"))).split('\n'); };
    const auto ecrireListe = [&](const QList<QByteArray>& lignes) {
        Sandbox::writeFile(chemin(QStringLiteral("contenu.txt")), lignes.join('\n'));
    };
    const struct {
        const char* cas;
        std::function<void()> abimer;
        QString message;
    } cas[] = {
        {"base coupée",
         [&] {
             const QByteArray base = lire(chemin(QStringLiteral("classevizmora.idx")));
             Sandbox::writeFile(chemin(QStringLiteral("classevizmora.idx")), base.left(base.size() / 2));
         },
         QStringLiteral("classevizmora.idx » est abîmé : sa taille n'est pas celle de la liste.")},
        {"un octet changé",
         [&] {
             QByteArray octets = lire(chemin(photo));
             octets[octets.size() / 2] = char(octets[octets.size() / 2] ^ 1);
             Sandbox::writeFile(chemin(photo), octets);
         },
         photo + QStringLiteral(" » est abîmé : son contenu n'est pas celui de la liste.")},
        {"photo absente", [&] { QFile::remove(chemin(photo)); }, photo + QStringLiteral(" » est introuvable")},
        {"photo en trop", [&] { Sandbox::writeFile(chemin(enTrop), "x"); },
         enTrop + QStringLiteral(" » n'est pas dans la liste du paquet")},
        {"liste absente", [&] { QFile::remove(chemin(QStringLiteral("contenu.txt"))); },
         QStringLiteral("contenu.txt » est introuvable")},
        {"liste vide", [&] { ecrireListe({}); }, QStringLiteral("contenu.txt » est incomplète")},
        {"liste coupée dans une ligne",
         [&] { Sandbox::writeFile(chemin(QStringLiteral("contenu.txt")), liste().join('\n').left(20)); },
         QStringLiteral("contenu.txt » est abîmée")},
        // Cut after the first picture's line, the two other pictures missing.
        {"liste coupée en fin de ligne",
         [&] {
             ecrireListe(liste().mid(0, 3) << QByteArray());
             QFile::remove(chemin(QStringLiteral("images/") + fichierEleve(codes_[1])));
             QFile::remove(chemin(QStringLiteral("images/") + fichierEleve(codes_[2])));
         },
         QStringLiteral("contenu.txt » est incomplète")},
        {"chemin hors du paquet",
         [&] {
             const QString liste = chemin(QStringLiteral("contenu.txt"));
             Sandbox::writeFile(liste, lire(liste).replace(photo.toUtf8(), "images/../../dehors/photo.jpg"));
         },
         QStringLiteral("contenu.txt » est abîmée")},
        {"photo listée en lien",
         [&] { QFile::remove(chemin(photo)) && QFile::link(dehors, chemin(photo)); },
         photo + QStringLiteral(" » est un lien")},
        {"lien non listé", [&] { QFile::link(dehors, chemin(enTrop)); }, enTrop + QStringLiteral(" » est un lien")},
        {"dossier des photos en lien",
         [&] {
             QDir().rename(chemin(QStringLiteral("images")), autresImages)
                 && QFile::link(autresImages, chemin(QStringLiteral("images")));
         },
         QStringLiteral("%1/images » est un lien").arg(paquet)},
        {"photo listée en FIFO", [&] { QFile::remove(chemin(photo)) && fifo(chemin(photo)); },
         photo + QStringLiteral(" » n'est pas un fichier ordinaire")},
        {"FIFO non listée", [&] { fifo(chemin(enTrop)); }, enTrop + QStringLiteral(" » n'est pas dans la liste")},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        ASSERT_TRUE(files::removeTree(paquet) && files::removeTree(autresImages));
        ASSERT_EQ(QProcess::execute(QStringLiteral("/bin/cp"), {QStringLiteral("-R"), intact, paquet}), 0);
        c.abimer();
        const Execution execution = installer(paquet, environnement());
        EXPECT_NE(execution.code, 0);
        EXPECT_FALSE(execution.tue);
        // One French line that names what is wrong.
        EXPECT_TRUE(execution.sortie.startsWith(QStringLiteral("Installation impossible : ")))
            << execution.sortie.toStdString();
        EXPECT_EQ(execution.sortie.count(u'\n'), 1) << execution.sortie.toStdString();
        EXPECT_TRUE(execution.sortie.contains(c.message)) << execution.sortie.toStdString();
        EXPECT_EQ(etat(ecole()), avant);
        EXPECT_EQ(lire(dehors), octetsDehors);
    }
}

// What an earlier installation, or someone, left in the school's folder as a
// link is never written through: the installation goes in beside it, or is
// refused.
TEST_F(Installation, UnLienDansLeDossierDeLEcoleNEstJamaisSuivi)
{
    const QString paquet = livrerPaquet();
    const QString dehors = sandbox_.path(QStringLiteral("dehors"));
    const QString photo = paths::join(imagesEcole(), {fichierEleve(codes_[0])});
    const struct {
        const char* cas;
        std::function<bool()> preparer;
        bool installe;
    } cas[] = {
        {"une photo en lien",
         [&] {
             return QDir().mkpath(imagesEcole())
                    && QFile::link(paths::join(dehors, {QStringLiteral("photo.jpg")}), photo);
         },
         true},
        {"le dossier des photos en lien",
         [&] { return QDir().mkpath(ecole()) && QFile::link(dehors, imagesEcole()); }, true},
        {"une copie laissée en lien",
         [&] {
             return QDir().mkpath(ecole())
                    && QFile::link(dehors, paths::join(ecole(), {QStringLiteral(".paquet.nouveau")}));
         },
         true},
        {"le verrou en lien",
         [&] {
             return QDir().mkpath(ecole())
                    && QFile::link(paths::join(dehors, {QStringLiteral("verrou")}),
                                   paths::join(ecole(), {QStringLiteral(".installation-en-cours")}));
         },
         false},
        {"le dossier de l'école en lien", [&] { return QFile::link(dehors, ecole()); }, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        ASSERT_TRUE(files::removeTree(ecole()) && files::removeTree(dehors));
        Sandbox::writeFile(paths::join(dehors, {QStringLiteral("photo.jpg")}), "à garder");
        ASSERT_TRUE(c.preparer());
        const QMap<QString, QByteArray> dehorsAvant = etat(dehors);
        const Execution execution = installer(paquet, environnement());
        if (c.installe) {
            EXPECT_EQ(execution.code, 0) << execution.sortie.toStdString();
            EXPECT_FALSE(QFileInfo(imagesEcole()).isSymLink());
            EXPECT_EQ(etat(imagesEcole()), etat(paths::join(paquet, {QStringLiteral("images")})));
        } else {
            EXPECT_NE(execution.code, 0);
            EXPECT_TRUE(execution.sortie.contains(QStringLiteral(" est un lien : "))) << execution.sortie.toStdString();
        }
        EXPECT_EQ(etat(dehors), dehorsAvant);
    }
}

// setup.exe is run from wherever the school is: it takes its own folder,
// whatever its name ends with and whatever CDPATH holds, never a namesake.
TEST_F(Installation, LePaquetSInstalleDepuisSonPropreDossier)
{
    const QString livre = garder(livrerPaquet(), QStringLiteral("livre"));
    const QString autre = livrerAnneeSuivante();
    const struct {
        const char* cas;
        QString dossier;
        QString homonyme;
        QString cdpath;
    } cas[] = {
        {"un nom qui finit par un saut de ligne", QStringLiteral("Ecole fin\n"), QStringLiteral("Ecole fin"), {}},
        {"CDPATH vers un homonyme", QStringLiteral("Ecole fin"), QStringLiteral("ailleurs/Ecole fin"),
         sandbox_.path(QStringLiteral("ailleurs"))},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cas);
        ASSERT_TRUE(files::removeTree(ecole()));
        garder(livre, c.dossier);
        QDir().mkpath(sandbox_.path(QStringLiteral("ailleurs")));
        garder(autre, c.homonyme);
        QProcessEnvironment env = environnement();
        if (!c.cdpath.isEmpty())
            env.insert(QStringLiteral("CDPATH"), c.cdpath);
        const Execution execution = lancer(sandbox_.root(), c.dossier + QStringLiteral("/setup.exe"), env);
        EXPECT_EQ(execution.code, 0) << execution.sortie.toStdString();
        EXPECT_EQ(lire(baseEcole()), lire(baseDe(livre)));
        ASSERT_TRUE(files::removeTree(sandbox_.path(c.dossier)) && files::removeTree(sandbox_.path(c.homonyme)));
    }
}
