#include "school/printing/form_export.h"

#include "common/dialogs.h"
#include "common/ui/layout.h"
#include "common/paths.h"
#include "school/data/base.h"
#include "school/data/etat.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <optional>
#include <vector>

namespace {

using exportation::Champ;

QComboBox* liste(QWidget* parent, const QString& nom, int left, int width)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(nom);
    layout::place(combo, left, 720, width, 315);
    return combo;
}

struct EntreeChamp {
    QString libelle;
    Champ champ;
};

const EntreeChamp kNom{QStringLiteral("Nom"), Champ::Nom};
const EntreeChamp kPrenom{QStringLiteral("Prénom"), Champ::Prenom};

// A list of the name's fields: each entry carries its field, whatever its caption.
QComboBox* listeChamps(QWidget* parent, const QString& nom, const std::vector<EntreeChamp>& entrees, int left,
                       int width)
{
    QComboBox* combo = liste(parent, nom, left, width);
    for (const EntreeChamp& entree : entrees)
        combo->addItem(entree.libelle, int(entree.champ));
    combo->setCurrentIndex(-1);
    return combo;
}

// The field of the entry chosen; nullopt while none is.
std::optional<Champ> champChoisi(const QComboBox* combo)
{
    const QVariant donnee = combo->currentData();
    return donnee.isValid() ? std::optional(Champ(donnee.toInt())) : std::nullopt;
}

} // namespace

FormExport::FormExport() : Form(QStringLiteral("FormExport"))
{
    setWindowTitle(QStringLiteral("Exportation vers autres logiciels..."));
    setFont(layout::font(QStringLiteral("Verdana"), 8.25));
    auto* fond = new QWidget(this);
    setCentralWidget(fond);
    setFixedSize(layout::px(5325), layout::px(2100));

    QLabel* LbNomPhoto = layout::caption(fond, QStringLiteral("LbNomPhoto"),
                                         QStringLiteral("Structure des noms de fichiers à exporter :"));
    LbNomPhoto->setWordWrap(true);
    layout::place(LbNomPhoto, 120, 120, 2490, 600);

    ComboNom_ = listeChamps(fond, QStringLiteral("ComboNom"),
                           {kNom, kPrenom, {QStringLiteral("INE"), Champ::INE},
                            {QStringLiteral("N° Interne"), Champ::NumInterne}},
                           720, 1575);
    // A separator's entry is the separator itself.
    ComboPonctuation_ = liste(fond, QStringLiteral("ComboPonctuation"), 2400, 615);
    ComboPonctuation_->addItems({QStringLiteral("."), QStringLiteral(","), QStringLiteral(";"), QStringLiteral(" "),
                                QStringLiteral("_")});
    ComboPonctuation_->setCurrentIndex(-1);
    ComboPrenom_ = listeChamps(fond, QStringLiteral("ComboPrenom"), {kNom, kPrenom}, 3120, 1575);
    ComboPonctuation_->setEnabled(false);
    ComboPrenom_->setEnabled(false);

    layout::place(layout::caption(fond, QStringLiteral("Label1"), QStringLiteral(".jpg")), 4800, 765, 855, 255);

    ProgressBar1_ = new QProgressBar(fond);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setRange(0, 100);
    ProgressBar1_->setTextVisible(false);
    layout::place(ProgressBar1_, 240, 1200, 4815, 135);
    ProgressBar1_->hide();

    Command2_ = new QPushButton(QStringLiteral("Ok"), fond);
    Command2_->setObjectName(QStringLiteral("Command2"));
    layout::place(Command2_, 2160, 1560, 975, 375);
    Command2_->setEnabled(false);

    copieur_ = new exportation::Copieur(this);
    connect(ComboNom_, &QComboBox::activated, this, &FormExport::ComboNom_Click);
    connect(ComboPonctuation_, &QComboBox::activated, this, &FormExport::ComboPonctuation_Click);
    connect(ComboPrenom_, &QComboBox::activated, this, &FormExport::ComboPrenom_Click);
    connect(Command2_, &QPushButton::clicked, this, &FormExport::Command2_Click);
    connect(copieur_, &exportation::Copieur::progression, ProgressBar1_, &QProgressBar::setValue);
    connect(copieur_, &exportation::Copieur::termine, this, &FormExport::exportTermine);
}

void FormExport::onActivate()
{
    mainWindow::hide();
    layout::centreOnScreen(*this);
}

void FormExport::onUnload()
{
    mainWindow::show();
}

void FormExport::closeEvent(QCloseEvent* event)
{
    // The export ends by closing the window itself.
    if (copieur_->enCours())
        event->ignore();
    else
        Form::closeEvent(event);
}

void FormExport::ComboNom_Click()
{
    const std::optional<Champ> premier = champChoisi(ComboNom_);
    const bool seul = premier == Champ::INE || premier == Champ::NumInterne;
    ComboPonctuation_->setEnabled(!seul);
    if (seul)
        ComboPrenom_->setEnabled(false);
    Command2_->setEnabled(seul);
}

void FormExport::ComboPonctuation_Click()
{
    if (!ComboPonctuation_->currentText().isEmpty())
        ComboPrenom_->setEnabled(true);
}

void FormExport::ComboPrenom_Click()
{
    if (champChoisi(ComboPrenom_))
        Command2_->setEnabled(true);
}

exportation::Motif FormExport::motif() const
{
    exportation::Motif m;
    m.premier = champChoisi(ComboNom_).value_or(Champ::INE);
    // A disabled separator list means a name of one part.
    m.unePartie = !ComboPonctuation_->isEnabled();
    m.separateur = ComboPonctuation_->currentText();
    m.second = champChoisi(ComboPrenom_).value_or(Champ::Prenom);
    return m;
}

void FormExport::Command2_Click()
{
    if (copieur_->enCours() || !champChoisi(ComboNom_))
        return;
    const exportation::Motif choisi = motif(); // read before the lists are disabled
    attendre(true);
    QString erreur;
    exportation::Plan plan;
    const QString dossier = paths::join(paths::desktop(), {QStringLiteral("Exportation")});
    try {
        plan = exportation::planifier(base::db(), paths::join(etat::CheminDonnees, {QStringLiteral("images")}), choisi);
        erreur = exportation::preparer(dossier, plan);
    } catch (const db::Error& e) {
        erreur = e.message();
    }
    if (!erreur.isEmpty()) {
        attendre(false);
        dialogs::message(erreur, dialogs::Icon::Critical);
        return;
    }
    copieur_->lancer(dossier, std::move(plan));
}

void FormExport::exportTermine(exportation::Copieur::Bilan bilan)
{
    attendre(false);
    const bool complet = bilan.exportes == bilan.eleves && bilan.enregistre && bilan.refus.isEmpty();
    dialogs::message(exportation::messageFin(bilan), complet ? dialogs::Icon::Information : dialogs::Icon::Exclamation);
    unload();
}

void FormExport::attendre(bool pendantExport)
{
    const QList<QWidget*> controles{ComboNom_, ComboPonctuation_, ComboPrenom_, Command2_};
    if (pendantExport) {
        etatsAvantExport_.clear();
        for (QWidget* controle : controles) {
            etatsAvantExport_ << controle->isEnabled();
            controle->setEnabled(false);
        }
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ProgressBar1_->setValue(0);
        ProgressBar1_->show();
        return;
    }
    for (int i = 0; i < controles.size() && i < etatsAvantExport_.size(); ++i)
        controles[i]->setEnabled(etatsAvantExport_[i]);
    QApplication::restoreOverrideCursor();
    ProgressBar1_->hide();
}
