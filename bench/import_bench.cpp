// Imports a school's list of 2,000 students through the import window, as the
// photographer does, and reports how long the "Charger" click takes: the
// import should stay under a second on an ordinary machine.

#include "common/database.h"
#include "common/dialogs.h"
#include "common/paths.h"
#include "photographer/data/base.h"
#include "photographer/workspace/demarrage.h"
#include "photographer/data/etat.h"
#include "photographer/workspace/ouvrir_etab.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>

#include <memory>

namespace {

constexpr int kStudents = 2000;
constexpr double kBudgetMs = 1000;

// Answers every dialog as the photographer would: OK, and the list as the file.
class Answers : public dialogs::Service {
public:
    explicit Answers(QString file) : file_(std::move(file)) {}
    dialogs::Answer message(const QString&, const QString&, dialogs::Icon, dialogs::Buttons) override
    {
        return dialogs::Answer::Ok;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&) override { return std::nullopt; }
    QString openFile(const dialogs::FileRequest&) override { return file_; }

private:
    QString file_;
};

bool writeList(const QString& path)
{
    QByteArray list = "NOM;PRENOM;CLASSE;NAISSANCE;REGIME;INE;NUMERO\r\n";
    for (int i = 0; i < kStudents; ++i)
        list += QStringLiteral("NOM%1;Prénom%1;%2e;01/01/2010;Externe;INE%1;%1\r\n").arg(i).arg(3 + i % 4).toLatin1();
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(list) == list.size() && file.flush();
}

void choose(OuvrirEtab& form, const char* combo, int column)
{
    form.findChild<QComboBox*>(QString::fromLatin1(combo))->setCurrentIndex(column);
}

} // namespace

int main(int argc, char** argv)
{
    // Everything the run writes stays in a folder of its own.
    QTemporaryDir work;
    qputenv("SCHOOLPHOTO_ROOT", work.filePath(QStringLiteral("root")).toUtf8());
    qputenv("XDG_CONFIG_HOME", work.filePath(QStringLiteral("config")).toUtf8());
    qputenv("XDG_DATA_HOME", work.filePath(QStringLiteral("data")).toUtf8());
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);

    const QString list = work.filePath(QStringLiteral("liste.csv"));
    demarrage::fixerDossierDonnees();
    if (!work.isValid() || !writeList(list) || !paths::ensureFolder(etat::CheminDonnees)) {
        err << "cannot prepare the work folder " << work.path() << "\n";
        return 1;
    }
    dialogs::install(std::make_unique<Answers>(list));
    etat::CodeEtabEnCours = QString::number(base::db().insert(
        QStringLiteral("INSERT INTO Etablissements (Nom, \"Code Postal\") VALUES ('Cité scolaire', '75001')")));

    OuvrirEtab& form = formInstance<OuvrirEtab>();
    form.showForm();
    choose(form, "ComboNom", 0);
    choose(form, "ComboPrenom", 1);
    choose(form, "ComboClasse", 2);
    choose(form, "ComboINE", 5);
    choose(form, "ComboNumInterne", 6);

    QElapsedTimer timer;
    timer.start();
    form.findChild<QPushButton*>(QStringLiteral("Bt_Charge_0"))->click();
    const double elapsed = timer.nsecsElapsed() / 1e6;

    const int imported = base::db().scalar(QStringLiteral("SELECT count(*) FROM Eleves")).toInt();
    base::fermer();
    if (imported != kStudents) {
        err << "imported " << imported << " students out of " << kStudents << "\n";
        return 1;
    }
    out << "import of " << kStudents << " students: " << QString::number(elapsed, 'f', 1) << " ms (budget "
        << kBudgetMs << " ms" << (elapsed <= kBudgetMs ? ", met" : ", OVER") << ")\n";
    return 0;
}
