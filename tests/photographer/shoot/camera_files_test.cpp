#include "tests/photographer/shoot/seance_fixture.h"

#include "common/files.h"
#include "photographer/shoot/camera_files.h"
#include "photographer/shoot/capture.h"
#include "photographer/shoot/journal_classement.h"
#include "photographer/shoot/restes_classement.h"
#include "tests/support/exfat_disk.h"
#include "tests/support/small_disk.h"

#include <QTemporaryDir>

#include <functional>
#include <memory>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

using camera_files::Removal;
using dialogs::Answer;

namespace {

const QByteArray kPremiere = "premiere photo, whole";
const QByteArray kNouvelle = "nouvelle photo sous le meme nom";

QByteArray raw(const QString& path)
{
    return QFile::encodeName(path);
}

QByteArray lu(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void ajouter(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::Append));
    ASSERT_EQ(file.write(bytes), bytes.size());
}

// Every file of folder, hidden ones included, with its bytes.
QMap<QString, QByteArray> contenu(const QString& folder)
{
    QMap<QString, QByteArray> files;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden))
        files.insert(name, lu(QDir(folder).filePath(name)));
    return files;
}

// A camera file as a filing read it, in a folder of its own: its bytes, and the version they were
// read from when the filing knew it (not after a restart).
struct CameraLue {
    explicit CameraLue(bool versionLue)
        : camera(Sandbox::writeFile(dossier.filePath(QStringLiteral("IMG_0001.JPG")), kPremiere))
    {
        EXPECT_TRUE(camera_files::read(raw(camera), octets, versionLue ? &version : nullptr));
    }
    QTemporaryDir dossier;
    QString camera;
    QByteArray octets;
    camera_files::Version version;
};

dev_t fileSystem(const QString& path)
{
    struct stat info {};
    return ::stat(raw(path).constData(), &info) == 0 ? info.st_dev : 0;
}

TEST(RetraitFichierAppareil, SeulLeFichierQuiTientLesOctetsClassesEstRetire)
{
    const struct {
        const char* quand;
        std::function<void(const QString&)> ensuite; // what happened to the camera file after its filing
        Removal retrait;
        QByteArray reste; // what the watched folder holds afterwards; empty for nothing
    } cas[] = {
        {"the same bytes", [](const QString&) {}, Removal::Removed, {}},
        {"a new shot written under its name",
         [](const QString& camera) { ASSERT_EQ(files::writeWhole(camera, kNouvelle), QString()); },
         Removal::Other, kNouvelle},
        {"the same shot written on after its filing",
         [](const QString& camera) { ajouter(camera, "+suite"); }, Removal::Grown, kPremiere + "+suite"},
        {"removed by hand", [](const QString& camera) { ASSERT_TRUE(QFile::remove(camera)); }, Removal::Gone, {}},
        // Its size and date are those filed; only its change time tells it was written again.
        {"rewritten in place with other bytes of the same size, its date put back",
         [](const QString& camera) {
             struct stat avant {};
             ASSERT_EQ(::stat(raw(camera).constData(), &avant), 0);
             QFile fichier(camera);
             ASSERT_TRUE(fichier.open(QIODevice::ReadWrite));
             ASSERT_EQ(fichier.write(QByteArray(kPremiere.size(), 'z')), kPremiere.size());
             fichier.close();
             const struct timespec dates[2] = {avant.st_atim, avant.st_mtim};
             ASSERT_EQ(::utimensat(AT_FDCWD, raw(camera).constData(), dates, 0), 0);
         },
         Removal::Other, QByteArray(kPremiere.size(), 'z')},
    };
    // Asked with the version the filing read, and without (the settling after a restart).
    for (const bool versionLue : {true, false}) {
        for (const auto& c : cas) {
            SCOPED_TRACE(std::string(c.quand) + (versionLue ? ", version read" : ", no version"));
            const CameraLue lue(versionLue);
            const QString& camera = lue.camera;
            c.ensuite(camera);

            EXPECT_EQ(camera_files::removeIfHolds(raw(camera), capture::fingerprint(lue.octets), lue.version),
                      c.retrait);
            EXPECT_EQ(QFileInfo::exists(camera), !c.reste.isEmpty());
            EXPECT_EQ(lu(camera), c.reste);
        }
    }
}

// Another program (a tethering tool that writes each shot aside, then renames it over the camera
// name) renames new shots over the name at the moments a removal leaves open: just before the
// camera file goes to its private name, and just after. The second is where a removal that checks
// the name, then removes the name, deletes the new shot with the old one.
class RenommagesPendantLeRetrait {
public:
    RenommagesPendantLeRetrait(QByteArray camera, QByteArray avant, QByteArray apres)
    {
        camera_ = std::move(camera);
        avant_ = std::move(avant);
        apres_ = std::move(apres);
        previous_ = files::useRenames({renommer, files::systemRenames().plain});
    }
    ~RenommagesPendantLeRetrait() { files::useRenames(previous_); }
    RenommagesPendantLeRetrait(const RenommagesPendantLeRetrait&) = delete;
    RenommagesPendantLeRetrait& operator=(const RenommagesPendantLeRetrait&) = delete;

private:
    static void poser(QByteArray& photo)
    {
        if (photo.isEmpty())
            return;
        const QByteArray aCote = camera_ + ".outil";
        Sandbox::writeFile(QFile::decodeName(aCote), photo);
        EXPECT_EQ(::rename(aCote.constData(), camera_.constData()), 0);
        photo.clear();
    }
    static int renommer(int fromFolder, const char* from, int toFolder, const char* to, unsigned int flags)
    {
        const bool versLeNomPrive = QByteArray(to) == camera_files::removalName(camera_);
        if (versLeNomPrive)
            poser(avant_);
        const int fait = files::systemRenames().withFlags(fromFolder, from, toFolder, to, flags);
        if (versLeNomPrive)
            poser(apres_);
        return fait;
    }

    static inline QByteArray camera_, avant_, apres_;
    files::Renames previous_{};
};

TEST(RetraitFichierAppareil, UnePhotoRenommeeSurLeNomPendantLeRetraitEstGardee)
{
    const QByteArray photoA = "photo A de l'outil", photoB = "photo B de l'outil, un peu plus longue";
    const struct {
        const char* quand;
        QByteArray avant, apres;
        Removal retrait;
        QMap<QString, QByteArray> reste;
    } cas[] = {
        {"after the move to the private name", {}, photoB, Removal::Removed, {{QStringLiteral("IMG_0001.JPG"), photoB}}},
        {"before it", photoA, {}, Removal::Other, {{QStringLiteral("IMG_0001.JPG"), photoA}}},
        // The one compared goes back beside the one that took the name meanwhile.
        {"before and after it", photoA, photoB, Removal::Other,
         {{QStringLiteral("IMG_0001.JPG"), photoB}, {QStringLiteral("IMG_0001_2.JPG"), photoA}}},
    };
    for (const bool versionLue : {true, false}) {
        for (const auto& c : cas) {
            SCOPED_TRACE(std::string(c.quand) + (versionLue ? ", version read" : ", no version"));
            const CameraLue lue(versionLue);
            const RenommagesPendantLeRetrait outil(raw(lue.camera), c.avant, c.apres);

            EXPECT_EQ(camera_files::removeIfHolds(raw(lue.camera), capture::fingerprint(lue.octets), lue.version),
                      c.retrait);
            EXPECT_EQ(contenu(lue.dossier.path()), c.reste);
        }
    }
}

TEST(RetraitFichierAppareil, SurExfatUnePhotoDeMemeTailleCopieeEnPlaceAvecSaDateEstGardee)
{
    const Sandbox sandbox;
    const QString carte = sandbox.path(QStringLiteral("carte"));
    const ExfatDisk disque(carte, sandbox.path(QStringLiteral("carte.img")));
    if (!disque.active())
        GTEST_SKIP() << "no exFAT file system here (root, mkfs.exfat and mount.exfat-fuse are needed)";
    const QByteArray autre(kPremiere.size(), 'z');
    for (const bool recopiee : {false, true}) {
        SCOPED_TRACE(recopiee ? "another shot copied in place, its date kept" : "the shot filed");
        const QString camera = Sandbox::writeFile(paths::join(carte, {QStringLiteral("IMG_0001.JPG")}), kPremiere);
        QByteArray octets;
        camera_files::Version version;
        ASSERT_TRUE(camera_files::read(raw(camera), octets, &version));
        if (recopiee) {
            // As `cp -p` does: the bytes written, then the date set back. exFAT derives its change
            // time from the modification time, so the file's version reads as the one filed.
            QFile fichier(camera);
            ASSERT_TRUE(fichier.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(fichier.write(autre), autre.size());
            fichier.close();
            const struct timespec dates[2] = {{0, UTIME_OMIT},
                                              {time_t(version.modified.seconds), version.modified.nanoseconds}};
            ASSERT_EQ(::utimensat(AT_FDCWD, raw(camera).constData(), dates, 0), 0);
        }

        EXPECT_EQ(camera_files::removeIfHolds(raw(camera), capture::fingerprint(octets), version),
                  recopiee ? Removal::Other : Removal::Removed);
        const QMap<QString, QByteArray> reste =
            recopiee ? QMap<QString, QByteArray>{{QStringLiteral("IMG_0001.JPG"), autre}} : QMap<QString, QByteArray>{};
        EXPECT_EQ(contenu(carte), reste);
    }
}

// A power cut after the camera file went to its private name, before it was compared or removed
// there: the next removal of that camera file (the settling of its filing) finishes the first one
// from what the private name holds, and the start's cleaning of temporaries leaves it alone.
TEST(RetraitFichierAppareil, UnRetraitCoupeApresLeNomPriveEstTermineEnSuite)
{
    const struct {
        const char* quoi;
        QByteArray prive;  // what lies under the private name
        QByteArray camera; // what lies under the camera name; empty for nothing
        Removal retrait;
        QMap<QString, QByteArray> reste;
    } cas[] = {
        {"the bytes filed", kPremiere, {}, Removal::Removed, {}},
        {"the bytes filed, a new shot under the camera name", kPremiere, kNouvelle, Removal::Removed,
         {{QStringLiteral("IMG_0001.JPG"), kNouvelle}}},
        {"a new shot", kNouvelle, {}, Removal::Other, {{QStringLiteral("IMG_0001.JPG"), kNouvelle}}},
        {"a new shot, another under the camera name", kNouvelle, "encore une autre", Removal::Other,
         {{QStringLiteral("IMG_0001.JPG"), "encore une autre"}, {QStringLiteral("IMG_0001_2.JPG"), kNouvelle}}},
        {"the bytes filed followed by more", kPremiere + "+suite", {}, Removal::Grown,
         {{QStringLiteral("IMG_0001.JPG"), kPremiere + "+suite"}}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        QTemporaryDir dossier;
        const QString camera = dossier.filePath(QStringLiteral("IMG_0001.JPG"));
        Sandbox::writeFile(QFile::decodeName(camera_files::removalName(raw(camera))), c.prive);
        if (!c.camera.isEmpty())
            Sandbox::writeFile(camera, c.camera);
        EXPECT_EQ(files::removeLeftoverTemporaries(dossier.path()), 0);

        EXPECT_EQ(camera_files::removeIfHolds(raw(camera), capture::fingerprint(kPremiere)), c.retrait);
        EXPECT_EQ(contenu(dossier.path()), c.reste);
    }
}

// A watched folder, and a folder on another file system when one can be had.
class MiseDeCote : public ::testing::Test {
protected:
    QString camera(const QByteArray& bytes)
    {
        return Sandbox::writeFile(hot_.filePath(QStringLiteral("IMG_0001.JPG")), bytes);
    }

    // A folder on another file system than the watched folder; nullopt when none can be had.
    std::optional<QString> ailleurs()
    {
        autre_ = std::make_unique<QTemporaryDir>(QStringLiteral("/dev/shm/mise-de-cote-XXXXXX"));
        if (autre_->isValid() && fileSystem(autre_->path()) != fileSystem(hot_.path()))
            return autre_->path();
        disque_ = std::make_unique<SmallDisk>(hot_.filePath(QStringLiteral("disque")), 1 << 20);
        if (disque_->active())
            return hot_.filePath(QStringLiteral("disque"));
        return std::nullopt;
    }

    QTemporaryDir hot_;
    std::unique_ptr<QTemporaryDir> autre_;
    std::unique_ptr<SmallDisk> disque_;
};

TEST_F(MiseDeCote, SurLeMemeSystemeDeFichiersLaPhotoEstRenommeeSansEtreLue)
{
    const QString nonClassees = hot_.filePath(QStringLiteral("non classées"));
    const QString fichier = camera(kPremiere);
    // Its writer is still at it (another user's, which the program cannot see).
    const int ecrivain = ::open(raw(fichier).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
    ASSERT_GE(ecrivain, 0);
    struct stat avant {};
    ASSERT_EQ(::stat(raw(fichier).constData(), &avant), 0);
    QString erreur;
    const QString misDeCote = camera_files::setAside(raw(fichier), nonClassees, erreur);
    EXPECT_EQ(::write(ecrivain, "+suite", 6), 6);
    ::close(ecrivain);

    EXPECT_EQ(erreur.toStdString(), "");
    EXPECT_EQ(misDeCote.toStdString(), paths::join(nonClassees, {QStringLiteral("IMG_0001.JPG")}).toStdString());
    EXPECT_FALSE(QFileInfo::exists(fichier));
    EXPECT_EQ(contenu(nonClassees), (QMap<QString, QByteArray>{{QStringLiteral("IMG_0001.JPG"), kPremiere + "+suite"}}));

    // Larger than any camera writes: moved all the same, never read.
    const QString enorme = hot_.filePath(QStringLiteral("ENORME.JPG"));
    {
        QFile creux(enorme);
        ASSERT_TRUE(creux.open(QIODevice::WriteOnly));
        ASSERT_TRUE(creux.resize(qint64(600) << 20));
    }
    ASSERT_EQ(::stat(raw(enorme).constData(), &avant), 0);
    const QString gros = camera_files::setAside(raw(enorme), nonClassees, erreur);
    struct stat apres {};
    ASSERT_EQ(::stat(raw(gros).constData(), &apres), 0);
    EXPECT_EQ(apres.st_ino, avant.st_ino);
    EXPECT_FALSE(QFileInfo::exists(enorme));
}

TEST_F(MiseDeCote, SurUnAutreSystemeDeFichiersLaPhotoNePartQuApresSaCopieEntiere)
{
    const std::optional<QString> dossier = ailleurs();
    if (!dossier)
        GTEST_SKIP() << "no second file system here";
    const QString nonClassees = paths::join(*dossier, {QStringLiteral("non classées")});
    const QString fichier = camera(kPremiere);
    QString erreur;
    EXPECT_EQ(camera_files::setAside(raw(fichier), nonClassees, erreur).toStdString(),
              paths::join(nonClassees, {QStringLiteral("IMG_0001.JPG")}).toStdString());
    EXPECT_EQ(erreur.toStdString(), "");
    EXPECT_FALSE(QFileInfo::exists(fichier));
    EXPECT_EQ(contenu(nonClassees), (QMap<QString, QByteArray>{{QStringLiteral("IMG_0001.JPG"), kPremiere}}));

    // Read while its writer was half way: the rest came after. Both halves are kept, the whole file
    // where the capture takes it again.
    const QByteArray moitie = kNouvelle.left(10);
    Sandbox::writeFile(fichier, moitie);
    ajouter(fichier, kNouvelle.mid(10));
    EXPECT_EQ(camera_files::setAside(raw(fichier), moitie, nonClassees, erreur).toStdString(), "");
    EXPECT_TRUE(erreur.contains(QStringLiteral("a changé pendant sa mise de côté : elle reste dans le dossier de "
                                               "réception")))
        << erreur.toStdString();
    EXPECT_EQ(lu(fichier), kNouvelle);
    EXPECT_EQ(contenu(nonClassees), (QMap<QString, QByteArray>{{QStringLiteral("IMG_0001.JPG"), kPremiere},
                                                               {QStringLiteral("IMG_0001_2.JPG"), moitie}}));
}

TEST_F(MiseDeCote, UneMiseDeCoteCoupeeAChaqueEtapeLaisseUneSeuleCopie)
{
    const std::optional<QString> autreSysteme = ailleurs();
    const QString ici = hot_.filePath(QStringLiteral("ici"));
    const auto copie = [](const QString& dossier) { return paths::join(dossier, {QStringLiteral("IMG_0001_2.JPG")}); };
    const struct {
        const char* quand;
        std::function<void(const QString& camera, const QString& dossier)> fait; // what the cut run left
        bool autreSysteme;
    } cas[] = {
        {"before anything", [](const QString&, const QString&) {}, false},
        {"copied whole, the camera file not yet removed",
         [&](const QString&, const QString& dossier) { ASSERT_EQ(files::writeWhole(copie(dossier), kPremiere), QString()); },
         true},
        {"half copied",
         [](const QString&, const QString& dossier) {
             Sandbox::writeFile(paths::join(dossier, {QStringLiteral(".IMG_0001_2.JPG.Ab12Cd")}), kPremiere.left(5));
         },
         true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quand);
        if (c.autreSysteme && !autreSysteme)
            continue;
        const QString dossier = paths::join(c.autreSysteme ? *autreSysteme : ici, {QStringLiteral("non classées")});
        // A file of that name set aside before: this one's copy goes beside it.
        Sandbox::writeFile(paths::join(dossier, {QStringLiteral("IMG_0001.JPG")}), "plus ancienne");
        const QString fichier = camera(kPremiere);
        c.fait(fichier, dossier);

        // The next run sets it aside again, as the capture or the settling does, and its start
        // removes the temporaries nobody holds.
        QString erreur;
        EXPECT_EQ(camera_files::setAside(raw(fichier), dossier, erreur).toStdString(), copie(dossier).toStdString());
        EXPECT_EQ(erreur.toStdString(), "");
        files::removeLeftoverTemporaries(dossier);
        EXPECT_FALSE(QFileInfo::exists(fichier));
        EXPECT_EQ(contenu(dossier), (QMap<QString, QByteArray>{{QStringLiteral("IMG_0001.JPG"), "plus ancienne"},
                                                               {QStringLiteral("IMG_0001_2.JPG"), kPremiere}}));
        QDir(dossier).removeRecursively();
    }
}

// Writes a new shot under the camera file's name while the replacement question waits, then lets
// the scripted dialogs answer it.
class NouvellePhotoPendantLaQuestion {
public:
    NouvellePhotoPendantLaQuestion(QString camera, QByteArray nouvelle)
    {
        auto proxy = std::make_unique<Proxy>(std::move(camera), std::move(nouvelle));
        proxy_ = proxy.get();
        proxy_->suivant = dialogs::install(std::move(proxy));
    }
    ~NouvellePhotoPendantLaQuestion() { dialogs::install(std::move(proxy_->suivant)); }
    NouvellePhotoPendantLaQuestion(const NouvellePhotoPendantLaQuestion&) = delete;
    NouvellePhotoPendantLaQuestion& operator=(const NouvellePhotoPendantLaQuestion&) = delete;

private:
    struct Proxy final : dialogs::Service {
        Proxy(QString c, QByteArray n) : camera(std::move(c)), nouvelle(std::move(n)) {}
        Answer message(const QString& text, const QString& title, dialogs::Icon icon, dialogs::Buttons buttons) override
        {
            if (text.contains(QStringLiteral("remplacer l'image existante"))) {
                EXPECT_EQ(files::writeWhole(camera, nouvelle), QString());
            }
            return suivant->message(text, title, icon, buttons);
        }
        std::optional<QString> input(const QString& prompt, const QString& title, const QString& defaultText) override
        {
            return suivant->input(prompt, title, defaultText);
        }
        QString openFile(const dialogs::FileRequest& request) override { return suivant->openFile(request); }

        QString camera;
        QByteArray nouvelle;
        std::unique_ptr<dialogs::Service> suivant;
    };
    Proxy* proxy_ = nullptr;
};

using RetraitApresClassement = SeanceFixture;

TEST_F(RetraitApresClassement, UneNouvellePhotoSousLeMemeNomEstClasseePourLEleveSuivant)
{
    const QString premier = eleve(QStringLiteral("6A"), QStringLiteral("Alpha"), QStringLiteral("Anne"));
    const QString second = eleve(QStringLiteral("6A"), QStringLiteral("Bravo"), QStringLiteral("Benoît"));
    const auto d = [&](const QString& cle, const QString& nom, const QString& prenom) {
        return capture::destinations(dossiers_etab::de(etat::NomEtabEnCours), QStringLiteral("6A"), nom, prenom, cle);
    };
    const capture::Destinations siennes[2] = {d(premier, QStringLiteral("Alpha"), QStringLiteral("Anne")),
                                              d(second, QStringLiteral("Bravo"), QStringLiteral("Benoît"))};
    Sandbox::writeFile(siennes[0].picture, jpeg({300, 200}));
    const QByteArray photos[2] = {jpeg({600, 400}), jpeg({660, 440})};
    const QString camera = Sandbox::writeFile(hot(QStringLiteral("IMG_0001.JPG")), photos[0]);
    ::ChoixClasse& form = marquerEleve(QStringLiteral("6A"));

    dialogues_.message(QStringLiteral("Souhaitez vous remplacer l'image existante ?"), Answer::Yes);
    dialogues_.message(QStringLiteral("Fin"));
    {
        const NouvellePhotoPendantLaQuestion nouvelle(camera, photos[1]);
        ASSERT_TRUE(classer(form, camera));
    }

    EXPECT_TRUE(dialogues_.allAnswered());
    for (int i = 0; i < 2; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(lire(siennes[i].archive), photos[i]);
        EXPECT_EQ(colonne(i == 0 ? premier : second, QStringLiteral("NomPhoto")), QStringLiteral("IMG_0001.JPG"));
    }
    EXPECT_TRUE(QDir(etat::DossierHot).entryList(QDir::Files | QDir::Hidden).isEmpty());
    form.unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(journal_classement::restants().empty());
}

using RestesAuDemarrage = PhotographeFixture;

TEST_F(RestesAuDemarrage, LeDemarrageRetireLesTemporairesDesClassementsCoupesMaisPasCeuxDUnEcrivainEnCours)
{
    const QString archive = paths::onDrive({QStringLiteral("labohd"), QStringLiteral("Ecole Test")});
    const QString donnees = paths::join(etat::CheminDonnees, {QStringLiteral("Ecole Test")});
    const QStringList restes = {
        paths::join(archive, {QStringLiteral(".6AxsepxAlphaxsepxAnnexsepx.jpg.Ab12Cd")}),
        paths::join(archive, {QStringLiteral("non classées"), QStringLiteral(".IMG_0001.JPG.x9Y8z7")}),
        paths::join(donnees, {QStringLiteral(".12.jpg.Qw3Er4")}),
        paths::join(etat::CheminDonnees, {QStringLiteral("Ecole Test BR3"), QStringLiteral("6A"),
                                          QStringLiteral(".Alpha Anne.jpg.Zx5Cv6")}),
    };
    for (const QString& reste : restes)
        Sandbox::writeFile(reste, "à moitié");
    // Not a temporary, and one a writer still holds.
    const QString photo = Sandbox::writeFile(paths::join(archive, {QStringLiteral(".cachee.jpg")}), "garde");
    files::PendingFile enCours(paths::join(archive, {QStringLiteral("6BxsepxBravoxsepxBenoîtxsepx.jpg")}));
    ASSERT_TRUE(enCours.write("en cours"));

    demarrer();

    for (const QString& reste : restes)
        EXPECT_FALSE(QFileInfo::exists(reste)) << reste.toStdString();
    EXPECT_EQ(lu(photo), "garde");
    EXPECT_EQ(QDir(archive).entryList({QStringLiteral(".6Bxsepx*")}, QDir::Files | QDir::Hidden).size(), 1);
    EXPECT_TRUE(enCours.commit());
}

} // namespace
