// Builds the school package and one renamed photo set of an establishment of
// 1,000 students with 1,000 real pictures, several times, and compares the
// median time of each with a plain recursive copy of the same files (cp -r).

#include "common/database.h"
#include "common/files.h"
#include "common/paths.h"
#include "common/pictures.h"
#include "photographer/deliveries/jeux_photos.h"
#include "photographer/deliveries/paquet_ecole.h"
#include "photographer/data/base.h"
#include "photographer/workspace/demarrage.h"
#include "photographer/data/etat.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>

#include <algorithm>
#include <functional>
#include <vector>

#include <unistd.h>

namespace {

constexpr int kEleves = 1000;
constexpr int kRuns = 5;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

double millisecondsOf(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.nsecsElapsed() / 1e6;
}

QString findInput(int argc, char** argv)
{
    if (argc > 1)
        return QString::fromLocal8Bit(argv[1]);
    // The fixtures lie beside the repository, or beside the folder of worktrees.
    for (const char* relative : {"/../shared/fixtures/camera-6000x4000.jpg", "/../../shared/fixtures/camera-6000x4000.jpg"}) {
        const QString candidate = QDir::cleanPath(QStringLiteral(SCHOOLPHOTO_SOURCE_DIR) + QString::fromLatin1(relative));
        if (QFileInfo::exists(candidate))
            return candidate;
    }
    return {};
}

// An establishment of kEleves students with a 400 by 400 picture each, in the
// working folder and the " BR" folder as the capture leaves them.
bool prepare(const QImage& picture, QTextStream& err)
{
    demarrage::fixerDossierDonnees();
    paths::ensureFolder(etat::CheminDonnees);
    etat::NomEtabEnCours = QStringLiteral("Collège Banc d'Essai");
    db::Database& database = base::db();
    database.exec(QStringLiteral("INSERT INTO Photographe (NomP) VALUES ('Studio')"));
    etat::CodeEtabEnCours = QString::number(database.insert(
        QStringLiteral("INSERT INTO Etablissements (Nom) VALUES (?1)"), {etat::NomEtabEnCours}));
    const dossiers_etab::Dossiers folders = dossiers_etab::de(etat::NomEtabEnCours);
    paths::ensureFolder(folders.donnees);
    paths::ensureFolder(folders.br);
    db::Database::Transaction transaction(database);
    for (int i = 0; i < kEleves; ++i) {
        const QString nom = QStringLiteral("NOM%1").arg(i, 4, 10, QLatin1Char('0'));
        const QString key = QString::number(database.insert(
            QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Classe, Nom, Prenom) VALUES (?1, ?2, ?3, 'Jean_Marc')"),
            {etat::CodeEtabEnCours, QStringLiteral("C%1").arg(i % 30), nom}));
        if (!picture.save(paths::join(folders.donnees, {key + QStringLiteral(".jpg")}), "JPEG", 100)
            || !QFile::copy(paths::join(folders.donnees, {key + QStringLiteral(".jpg")}),
                            paths::join(folders.br, {nom + QStringLiteral(" Jean_Marc.jpg")}))) {
            err << "could not write the pictures\n";
            return false;
        }
    }
    transaction.commit();
    return true;
}

bool plainCopy(const QString& source, const QString& target)
{
    return QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), source, target}) == 0;
}

struct Measure {
    QString name;
    std::function<void()> clear;
    std::function<void()> run;
    std::vector<double> times;
};

// Each delivery followed by the plain copy of the same files; every run
// starts without its output folder.
std::vector<Measure> deliveriesAndCopies(const QString& copies, QTextStream& err, bool& failed)
{
    const dossiers_etab::Dossiers folders = dossiers_etab::de(etat::NomEtabEnCours);
    const jeux_photos::Regle& set = *jeux_photos::regleDEntree(QStringLiteral("MNU_Photos_Nom_prenom"));
    const QString package = paths::join(livraison::racineAGraver(), {etat::NomEtabEnCours});
    const QString renamed = paths::join(livraison::racineAGraver(), {etat::NomEtabEnCours + set.suffixe});
    const auto quiet = [](int) {};
    const auto check = [&err, &failed](bool ok, const QString& what) {
        if (!ok) {
            err << what << " failed\n";
            failed = true;
        }
    };

    return {
        {QStringLiteral("school package"), [=] { files::removeTree(package); },
         [=] {
             const livraison::Issue issue = paquet_ecole::livrer(etat::CodeEtabEnCours, quiet);
             check(issue.reussie, issue.message);
         }, {}},
        {QStringLiteral("cp -r of its pictures"), [=] { files::removeTree(copies); },
         [=] { check(plainCopy(folders.donnees, copies), QStringLiteral("cp -r")); }, {}},
        {QStringLiteral("renamed set \"Nom Prénom.jpg\""), [=] { files::removeTree(renamed); },
         [=] {
             const livraison::Issue issue = jeux_photos::livrer(set, etat::CodeEtabEnCours, etat::NomEtabEnCours, quiet);
             check(issue.reussie, issue.message);
         }, {}},
        {QStringLiteral("cp -r of its pictures"), [=] { files::removeTree(copies); },
         [=] { check(plainCopy(folders.br, copies), QStringLiteral("cp -r")); }, {}},
    };
}

} // namespace

int main(int argc, char** argv)
{
    QTemporaryDir work;
    for (const char* folder : {"root", "home/Desktop", "config", "data"})
        QDir().mkpath(work.filePath(QString::fromLatin1(folder)));
    qputenv("SCHOOLPHOTO_ROOT", work.filePath(QStringLiteral("root")).toUtf8());
    qputenv("HOME", work.filePath(QStringLiteral("home")).toUtf8());
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("data")).toUtf8());
    QCoreApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QString input = findInput(argc, argv);
    const QImage picture = pictures::loadFitted(input, QSize(400, 400));
    if (picture.isNull()) {
        err << "usage: delivery_bench [camera.jpg]\n";
        return 2;
    }
    if (!prepare(picture, err))
        return 1;

    bool failed = false;
    std::vector<Measure> measures = deliveriesAndCopies(work.filePath(QStringLiteral("cp")), err, failed);
    // One run of each first, so that none pays for filling the disk cache.
    for (int run = 0; run <= kRuns; ++run) {
        for (Measure& measure : measures) {
            measure.clear();
            // Each run starts with nothing left to write back from the one before.
            ::sync();
            const double ms = millisecondsOf(measure.run);
            if (run > 0)
                measure.times.push_back(ms);
        }
    }
    if (failed)
        return 1;

    out << kEleves << " students, " << kEleves << " pictures of 400x400 from " << input << ", median of " << kRuns
        << " runs\n";
    for (size_t i = 0; i < measures.size(); i += 2) {
        const double delivery = median(measures[i].times);
        const double plain = median(measures[i + 1].times);
        out << measures[i].name << ": " << QString::number(delivery, 'f', 1) << " ms\n";
        out << measures[i + 1].name << ": " << QString::number(plain, 'f', 1) << " ms\n";
        out << "ratio: " << QString::number(delivery / plain, 'f', 2) << " (goal at most 1.50)\n";
    }
    return 0;
}
