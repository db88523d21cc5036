#include "photographer/workspace/ouvrir_etab.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "common/ui/menus.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/text.h"
#include "photographer/data/base.h"
#include "photographer/workspace/csv_eleves.h"
#include "photographer/workspace/demarrage.h"
#include "photographer/data/etablissements.h"
#include "photographer/data/etat.h"
#include "photographer/ui/propos.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QTableWidget>

#include <optional>

namespace {

// The height of every caption of the screen.
constexpr int kHauteurLegende = 285;

std::optional<int> colonne(const QComboBox* liste)
{
    return liste->currentIndex() >= 0 ? std::optional<int>(liste->currentIndex()) : std::nullopt;
}

constexpr int kPremiereListe = 3660;
constexpr int kPasListe = 420;

} // namespace

OuvrirEtab::OuvrirEtab() : Form(QStringLiteral("OuvrirEtab"))
{
    setWindowTitle(QStringLiteral("Charger un fichier *.csv"));
    auto* page = new QWidget(this);
    setCentralWidget(page);
    construireApercu(page);
    const int bas = construireListes(page);
    construireCommandes(page, bas);
    construireMenus();
    resize(layout::px(12000), layout::px(bas + 1200) + menuBar()->sizeHint().height());
}

void OuvrirEtab::construireApercu(QWidget* page)
{
    layout::place(layout::caption(page, QStringLiteral("LabelEtab"), QStringLiteral("Etablissement :")), 240, 240, 1560,
                  kHauteurLegende);
    LabelNom_ = layout::caption(page, QStringLiteral("LabelNom"), {});
    layout::place(LabelNom_, 1920, 240, 4560, kHauteurLegende);
    LabelCP_ = layout::caption(page, QStringLiteral("LabelCP"), {});
    layout::place(LabelCP_, 6600, 240, 1200, kHauteurLegende);
    LabelCode_ = layout::caption(page, QStringLiteral("LabelCode"), {});
    layout::place(LabelCode_, 7920, 240, 1200, kHauteurLegende);
    QFont gras = LabelNom_->font();
    gras.setBold(true);
    LabelNom_->setFont(gras);

    LabelFichierCsv_ = layout::caption(page, QStringLiteral("LabelFichierCsv"), {});
    layout::place(LabelFichierCsv_, 240, 720, 9000, kHauteurLegende);
    GridCsv_ = new QTableWidget(3, 0, page);
    GridCsv_->setObjectName(QStringLiteral("GridCsv"));
    GridCsv_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    layout::place(GridCsv_, 240, 1020, 11520, 1950);
    LabelInfo1_ = layout::caption(page, QStringLiteral("LabelInfo1"),
                                  QStringLiteral("(Chaque ligne du fichier contient les informations d'un élève)\n"
                                                 "DUPONT | Marie | 6e A | 12 05 2010 | Externe | 123456789AB | 1024"));
    LabelInfo1_->setWordWrap(true);
    layout::place(LabelInfo1_, 240, 3060, 11520, 480);
    LabelInfo1_->hide();
}

// The column lists, one under the other; returns the top of what follows them.
int OuvrirEtab::construireListes(QWidget* page)
{
    struct Liste {
        QComboBox** liste;
        const char* nomListe;
        const char* nomLegende;
        const char* legende;
    };
    const Liste listes[] = {
        {&ComboNom_, "ComboNom", "LabelNomEleve", "Sélectionner la colonne \"NOM\" (Obligatoire)"},
        {&ComboPrenom_, "ComboPrenom", "LabelPrenomEleve", "Sélectionner la colonne \"PRENOM\" (Obligatoire)"},
        {&ComboClasse_, "ComboClasse", "LabelClasse", "Sélectionner la colonne \"CLASSE\" (Obligatoire)"},
        {&ComboDateNaissance_, "ComboDateNaissance", "LabelDateNaissance",
         "Sélectionner la colonne \"Date de Naissance\"  des élèves du fichier csv :"},
        {&ComboRegime_, "ComboRegime", "LabelRegime",
         "Sélectionner la colonne \"Régime\" des élèves du fichier csv :"},
        {&ComboINE_, "ComboINE", "LabelINE", "Sélectionner la colonne \"N° IME\" des élèves du fichier csv :"},
        {&ComboNumInterne_, "ComboNumInterne", "LabelNumInterne",
         "Sélectionner la colonne \"N° Interne\" des élèves du fichier csv :"},
    };
    int haut = kPremiereListe;
    for (const Liste& liste : listes) {
        QLabel* legende =
            layout::caption(page, QString::fromLatin1(liste.nomLegende), QString::fromUtf8(liste.legende));
        layout::place(legende, 240, haut + 30, 7080, kHauteurLegende);
        legende->hide();
        legendesListes_.append(legende);
        auto* combo = new QComboBox(page);
        combo->setObjectName(QString::fromLatin1(liste.nomListe));
        refuseTyping(combo);
        layout::place(combo, 7440, haut, 4320, 315);
        combo->hide();
        *liste.liste = combo;
        haut += kPasListe;
    }
    return haut;
}

void OuvrirEtab::construireCommandes(QWidget* page, int haut)
{
    Check1_ = new QCheckBox(
        QStringLiteral("Cocher la case si la 1ere ligne du fichier correspond  à un enregistrement"), page);
    Check1_->setObjectName(QStringLiteral("Check1"));
    layout::place(Check1_, 240, haut + 120, 11520, 315);

    ProgressBar1_ = new QProgressBar(page);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    layout::place(ProgressBar1_, 240, haut + 600, 7680, 315);
    ProgressBar1_->hide();

    const char* const legendes[] = {"Charger le fichier", "Annuler"};
    for (int i = 0; i < 2; ++i) {
        auto* bouton = new QPushButton(QString::fromLatin1(legendes[i]), page);
        bouton->setObjectName(QStringLiteral("Bt_Charge_%1").arg(i));
        layout::place(bouton, i == 0 ? 8160 : 10200, haut + 570, i == 0 ? 1920 : 1560, 375);
        connect(bouton, &QPushButton::clicked, this, [this, i] { Bt_Charge_Click(i); });
    }
}

void OuvrirEtab::construireMenus()
{
    QMenu* fichier = menus::menu(menuBar(), QStringLiteral("MNU_Fichier"), QStringLiteral("Fichier"));
    MNU_Charger_ = menus::entry(fichier, QStringLiteral("MNU_Charger"), QStringLiteral("Charger *.CSV"));
    connect(MNU_Charger_, &QAction::triggered, this, &OuvrirEtab::MNU_Charger_Click);
    QAction* fermer = menus::entry(fichier, QStringLiteral("Mnu_Fermer"), QStringLiteral("Fermer"));
    connect(fermer, &QAction::triggered, this, &OuvrirEtab::Mnu_Fermer_Click);
    QMenu* aide = menus::menu(menuBar(), QStringLiteral("MNU_Aide"), QStringLiteral("Aide"));
    QAction* propos = menus::entry(aide, QStringLiteral("MNU_Propos"), QStringLiteral("A propos de..."));
    connect(propos, &QAction::triggered, this, &OuvrirEtab::MNU_Propos_Click);
}

void OuvrirEtab::onLoad()
{
    // One separator for the cleaning, the preview and the import of this list.
    etat::SeparateurCsv = demarrage::lireSeparateur();
    separateur_ = etat::SeparateurCsv;
}

void OuvrirEtab::onActivate()
{
    MNU_Charger_->setEnabled(!elevesTrouves_);
    if (!localiserEtablissement())
        return;
    try {
        elevesTrouves_ = etablissements::aDesEleves(codeEtab_);
    } catch (const db::Error& erreur) {
        report::failure(erreur);
        return;
    }
    if (elevesTrouves_)
        return;
    etat::FichierChoisi = dialogs::openFile({QStringLiteral("Charger le fichier *. csv"), QString(),
                                             QStringLiteral("Fichiers csv (*.csv)")});
    AfficherApercuCsv();
}

void OuvrirEtab::onUnload()
{
    mainWindow::show();
}

void OuvrirEtab::Bt_Charge_Click(int index)
{
    if (index == 1) {
        unload();
        return;
    }
    if (ComboNom_->currentIndex() < 0 || ComboPrenom_->currentIndex() < 0 || ComboClasse_->currentIndex() < 0) {
        dialogs::message(QStringLiteral("Veuillez renseigner TOUS les champs obligatoires"),
                         dialogs::Icon::Critical, dialogs::Buttons::Ok,
                         QStringLiteral("Champs non renseignés"));
        return;
    }
    ImporterEleves();
}

void OuvrirEtab::MNU_Charger_Click()
{
    Bt_Charge_Click(0);
}

void OuvrirEtab::Mnu_Fermer_Click()
{
    unload();
}

void OuvrirEtab::MNU_Propos_Click()
{
    formInstance<Propos>().showForm();
}

bool OuvrirEtab::localiserEtablissement()
{
    try {
        const db::Rows lignes = base::db().query(
            QStringLiteral("SELECT CdeEtablissement, Nom, \"Code Postal\" FROM Etablissements "
                           "WHERE CdeEtablissement = ?"),
            {etat::CodeEtabEnCours});
        if (!lignes.empty()) {
            codeEtab_ = lignes.front()[u"CdeEtablissement"];
            LabelCode_->setText(codeEtab_);
            LabelNom_->setText(lignes.front()[u"Nom"]);
            LabelCP_->setText(lignes.front()[u"Code Postal"]);
            return true;
        }
        dialogs::message(QStringLiteral("L'établissement n° %1 n'existe plus.").arg(etat::CodeEtabEnCours),
                         dialogs::Icon::Critical);
    } catch (const db::Error& erreur) {
        report::failure(erreur);
    }
    unload();
    return false;
}

bool OuvrirEtab::NettoyerFichierCsv()
{
    QFile fichier(etat::FichierChoisi);
    if (!fichier.open(QIODevice::ReadOnly)) {
        report::failure(QStringLiteral("Le fichier %1 n'a pas pu être lu.").arg(QDir::toNativeSeparators(etat::FichierChoisi)),
                        fichier.errorString());
        return false;
    }
    fichierSource_ = QDir::toNativeSeparators(etat::FichierChoisi);
    const text::StudentList liste = text::decodeStudentList(fichier.readAll());
    encodages_ = csv_eleves::encodagesMeles(liste.utf8Lines, liste.windows1252Lines);
    const csv_eleves::Lignes lues = csv_eleves::lignes(liste.text, separateur_);
    if (const QString refus = csv_eleves::refusGuillemet(lues, fichierSource_); !refus.isEmpty()) {
        dialogs::message(refus, dialogs::Icon::Critical);
        unload();
        return false;
    }
    const csv_eleves::Lignes revues = csv_eleves::nettoyerLignes(lues, separateur_);
    const QStringList texteRevu = csv_eleves::textes(revues);
    // A list on read-only media (a USB stick, a CD, a share) gets its cleaned
    // copy in the data folder instead of beside it.
    QString copie = csv_eleves::cheminRevu(etat::FichierChoisi);
    copieAilleurs_ = !text::writeLines(copie, texteRevu, text::Unmappable::Question).isEmpty();
    if (copieAilleurs_) {
        copie = paths::join(paths::dataDir(), {QFileInfo(copie).fileName()});
        const QString erreur = text::writeLines(copie, texteRevu, text::Unmappable::Question);
        if (!erreur.isEmpty()) {
            dialogs::message(erreur, dialogs::Icon::Critical);
            return false;
        }
    }
    lignesRevues_ = revues;
    etat::FichierChoisi = copie;
    return true;
}

void OuvrirEtab::AfficherApercuCsv()
{
    if (etat::FichierChoisi.isEmpty()) {
        unload();
        dialogs::message(QStringLiteral("Opération annulée, Sélectionner le fichier (.csv) transmis par "
                                        "l'établissement"),
                         dialogs::Icon::Critical);
        return;
    }
    if (!NettoyerFichierCsv())
        return;

    const csv_eleves::Apercu apercu = csv_eleves::apercu(lignesRevues_, separateur_);
    GridCsv_->clearContents();
    GridCsv_->setColumnCount(apercu.colonnes);
    for (int ligne = 0; ligne < apercu.lignes.size(); ++ligne) {
        const QStringList& valeurs = apercu.lignes.at(ligne);
        for (int col = 0; col < valeurs.size(); ++col)
            GridCsv_->setItem(ligne, col, new QTableWidgetItem(valeurs.at(col)));
    }
    for (int col = 0; col < apercu.colonnes; ++col)
        GridCsv_->setColumnWidth(col, layout::px(1500));

    const QStringList premiere = apercu.lignes.value(0);
    for (QComboBox* liste : {ComboNom_, ComboPrenom_, ComboClasse_, ComboDateNaissance_, ComboRegime_,
                             ComboINE_, ComboNumInterne_}) {
        liste->clear();
        liste->addItems(premiere);
        liste->setCurrentIndex(-1);
        liste->show();
    }
    for (QLabel* legende : legendesListes_)
        legende->show();
    LabelFichierCsv_->setText(QStringLiteral("Echantillon du fichier *.csv sélectionné :"));
    LabelInfo1_->show();
}

void OuvrirEtab::ImporterEleves()
{
    const csv_eleves::Lignes aImporter =
        csv_eleves::enregistrements(lignesRevues_, Check1_->isChecked(), separateur_);
    dialogs::message(QStringLiteral(" Nombre d'élèves : %1").arg(aImporter.size()));

    const csv_eleves::Lecture lecture = csv_eleves::lireEleves(
        aImporter,
        {colonne(ComboNom_), colonne(ComboPrenom_), colonne(ComboClasse_), colonne(ComboDateNaissance_),
         colonne(ComboRegime_), colonne(ComboINE_), colonne(ComboNumInterne_)},
        separateur_, fichierSource_);
    if (!lecture.refus.isEmpty()) {
        dialogs::message(lecture.refus);
        unload();
        return;
    }

    ProgressBar1_->setMaximum(std::max(int(lecture.eleves.size()), 1));
    ProgressBar1_->setValue(0);
    ProgressBar1_->show();
    try {
        db::Database& base = base::db();
        db::Database::Transaction transaction(base);
        for (const csv_eleves::Eleve& eleve : lecture.eleves) {
            base.insert(QStringLiteral("INSERT INTO Eleves (CodeEtablissement, Nom, Prenom, Classe, Naissance, "
                                       "Regime, INE, NumInterne, NomPhoto) VALUES (?, ?, ?, ?, ?, ?, ?, ?, '')"),
                        {codeEtab_, eleve.nom, eleve.prenom, eleve.classe, eleve.naissance, eleve.regime,
                         eleve.ine, eleve.numInterne});
            ProgressBar1_->setValue(ProgressBar1_->value() + 1);
        }
        transaction.commit();
    } catch (const db::Error& erreur) {
        ProgressBar1_->hide();
        report::failure(QStringLiteral("L'importation a échoué : aucun élève n'a été enregistré.\n%1")
                            .arg(erreur.message()),
                        erreur.detail());
        return;
    }
    ProgressBar1_->setValue(ProgressBar1_->maximum());
    QString fin = QStringLiteral("Chargement fichier terminé");
    if (!encodages_.isEmpty())
        fin += u'\n' + encodages_;
    if (copieAilleurs_)
        fin += QStringLiteral("\nLe dossier du fichier choisi n'étant pas accessible en écriture, sa copie revue est "
                              "dans %1")
                   .arg(QDir::toNativeSeparators(etat::FichierChoisi));
    dialogs::message(fin, dialogs::Icon::Information,
                     dialogs::Buttons::Ok, QStringLiteral("Fichier Chargé"));
    ProgressBar1_->hide();
    unload();
}
