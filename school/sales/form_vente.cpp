#include "school/sales/form_vente.h"

#include "common/dialogs.h"
#include "common/report.h"
#include "common/ui/layout.h"
#include "common/ui/menus.h"
#include "school/sales/impressions_ventes.h"
#include "school/sales/montant.h"
#include "school/data/base.h"

#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QTableWidget>


namespace {

constexpr int kHautClasses = 1320;
constexpr int kPasClasses = 260;
constexpr unsigned kBleu = 0xC00000;

// Namesakes are told apart by their class.
QString libelle(const EleveCommande& eleve)
{
    const QString nom = eleve.nom + u' ' + eleve.prenom;
    return eleve.classe.isEmpty() ? nom : nom + QStringLiteral(" (") + eleve.classe + u')';
}

// Another program removed some or all of the lines of an order shown here.
QString dejaSupprimees(const QString& commande, int disparues, int lignes)
{
    if (disparues == lignes)
        return QStringLiteral("Cette commande a déjà été supprimée (%1).").arg(commande);
    const int restantes = lignes - disparues;
    return commande + QStringLiteral(" : ")
        + (disparues == 1 ? QStringLiteral("1 ligne sur %1 avait déjà été supprimée")
                          : QStringLiteral("%1 lignes sur %2 avaient déjà été supprimées").arg(disparues))
              .arg(lignes)
        + (restantes == 1 ? QStringLiteral(" ; l'autre vient de l'être.")
                          : QStringLiteral(" ; les %1 autres viennent de l'être.").arg(restantes));
}

// The sheet's captions: bold Verdana of their size, in their colour.
QLabel* etiquette(QWidget* parent, const QString& nom, const QString& texte, int left, int top, int width, int height,
                  unsigned couleur, double points)
{
    QLabel* label = layout::caption(parent, nom, texte);
    label->setFont(layout::font(QStringLiteral("Verdana"), points, true));
    layout::setTextColour(label, couleur);
    layout::place(label, left, top, width, height);
    return label;
}

} // namespace

FormVente::FormVente() : Form(QStringLiteral("FormVente"))
{
    setWindowTitle(QStringLiteral("Etat des ventes photos..."));
    auto* fond = new QWidget(this);
    layout::setBackground(fond, 0xFFFFFF);
    fond->setFont(layout::font(QStringLiteral("Verdana"), 8.25, false));
    setCentralWidget(fond);

    zone_ = new QScrollArea(fond);
    zone_->setObjectName(QStringLiteral("ZoneVentes"));
    zone_->setFrameShape(QFrame::NoFrame);
    zone_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    zone_->horizontalScrollBar()->setObjectName(QStringLiteral("HScroll1"));
    layout::place(zone_, 0, 0, 17070, 9225);
    creerCadre();

    Bt_ImpCmde_ = new QPushButton(QStringLiteral("Imprimer..."), fond);
    Bt_ImpCmde_->setObjectName(QStringLiteral("Bt_ImpCmde"));
    layout::place(Bt_ImpCmde_, 11040, 120, 1215, 375);
    connect(Bt_ImpCmde_, &QPushButton::clicked, this, [this] { Bt_ImpCmde_Click(); });
    Bt_Sup_ = new QPushButton(QStringLiteral("Supprimer..."), fond);
    Bt_Sup_->setObjectName(QStringLiteral("Bt_Sup"));
    layout::place(Bt_Sup_, 11040, 600, 1215, 375);
    connect(Bt_Sup_, &QPushButton::clicked, this, [this] { Bt_Sup_Click(); });
    auto* fermer = new QPushButton(QStringLiteral("Fermer"), fond);
    fermer->setObjectName(QStringLiteral("BtFermer"));
    layout::place(fermer, 13440, 8400, 1215, 375);
    connect(fermer, &QPushButton::clicked, this, [this] { unload(); });
    creerMenus();
    resize(layout::px(17070), layout::px(9225) + menuBar()->sizeHint().height());
    reinitialiser();
}

void FormVente::creerCadre()
{
    Frame1_ = new QWidget;
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setFixedSize(layout::px(17055), layout::px(8295));
    layout::setBackground(Frame1_, 0xFFFFFF);
    zone_->setWidget(Frame1_);

    etiquette(Frame1_, QStringLiteral("LabelSolde"), QStringLiteral("Solde des Ventes :"), 240, 240, 2010, 240,
              0x000080, 9.75);
    LbAffVtotal_ = etiquette(Frame1_, QStringLiteral("LbAffVtotal"), {}, 3360, 240, 1455, 255, 0x000000, 9.75);
    LbAffVtotal_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    etiquette(Frame1_, QStringLiteral("Label2"), QStringLiteral("Gains établissement :"), 360, 720, 2355, 240,
              0x008000, 9.75);
    LbGainEtab_ = etiquette(Frame1_, QStringLiteral("LbGainEtab"), {}, 3360, 720, 1500, 240, 0x008000, 9.75);
    LbGainEtab_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    layout::setBackground(LbGainEtab_, 0xC0FFFF);
    auto* ligne = new QFrame(Frame1_);
    ligne->setObjectName(QStringLiteral("Line1"));
    ligne->setFrameShape(QFrame::HLine);
    layout::setBackground(ligne, 0xFF8080);
    layout::place(ligne, 240, 1080, 4680, 15);
    etiquette(Frame1_, QStringLiteral("LbGainClasses"), QStringLiteral("Gains par classe :"), 840, 1080, 1905, 240,
              kBleu, 9.75);
    etiquette(Frame1_, QStringLiteral("LbDateCommandes"), QStringLiteral("Dates des commandes :"), 5400, 240, 2310,
              195, 0x000000, 8.25);

    DBComboDateCom_ = new QComboBox(Frame1_);
    DBComboDateCom_->setObjectName(QStringLiteral("DBComboDateCom"));
    DBComboDateCom_->setFont(layout::font(QStringLiteral("Verdana"), 9.75, false));
    layout::place(DBComboDateCom_, 7800, 120, 3135, 360);
    connect(DBComboDateCom_, &QComboBox::activated, this, [this](int index) { DBComboDateCom_Click(index); });
    DBComboNom_ = new QComboBox(Frame1_);
    DBComboNom_->setObjectName(QStringLiteral("DBComboNom"));
    DBComboNom_->setFont(layout::font(QStringLiteral("Verdana"), 9.75, false));
    layout::place(DBComboNom_, 7800, 600, 3135, 360);
    connect(DBComboNom_, &QComboBox::activated, this, [this](int index) { Bt_Sup_->setEnabled(index >= 0); });

    QLabel* titre =
        layout::caption(Frame1_, QStringLiteral("DBGridVentes_Caption"), QStringLiteral("Etats des Ventes réalisées"));
    titre->setAlignment(Qt::AlignCenter);
    layout::place(titre, 5520, 1200, 11295, 255);
    DBGridVentes_ = new QTableWidget(Frame1_);
    DBGridVentes_->setObjectName(QStringLiteral("DBGridVentes"));
    DBGridVentes_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    DBGridVentes_->setStyleSheet(QStringLiteral("QTableWidget { color: #000080; background: #FFFFD9; }"));
    QStringList titres;
    for (const ventes::Colonne& colonne : ventes::colonnesGrille())
        titres << QString::fromUtf8(colonne.titre);
    DBGridVentes_->setColumnCount(int(titres.size()));
    DBGridVentes_->setHorizontalHeaderLabels(titres);
    layout::place(DBGridVentes_, 5520, 1200 + 255, 11295, 7095 - 255);
}

void FormVente::creerMenus()
{
    QMenu* imprimer = menus::menu(menuBar(), QStringLiteral("Mnu_Imp"), QStringLiteral("Imprimer"));
    connect(menus::entry(imprimer, QStringLiteral("MNU_Imp_Solde"), QStringLiteral("Récap des ventes (pour le photographe)")),
            &QAction::triggered, this, [this] { MNU_Imp_Solde_Click(); });
    connect(menus::entry(imprimer, QStringLiteral("Mnu_Imp_Detail"), QStringLiteral("Imprimer le détail")),
            &QAction::triggered, this, [this] { Mnu_Imp_Detail_Click(); });
}

void FormVente::onActivate()
{
    layout::centreOnScreen(*this);
    report::attempt([this] { actualiser(); });
}

void FormVente::actualiser()
{
    completerPrixVides();
    db::Database& base = base::db();
    DBComboDateCom_->clear();
    DBComboDateCom_->addItems(ventes::dates(base));
    DBComboDateCom_->setCurrentIndex(-1);
    lignes_ = ventes::toutes(base);
    afficherLignes(lignes_);
    const Totaux totaux = ventes::totaux(lignes_);
    LbGainEtab_->setText(montant::total(totaux.gain));
    LbAffVtotal_->setText(montant::total(totaux.total));
    afficherGains(ventes::gainsParClasse(lignes_));
    const QString refus = ventes::prixRefuses(lignes_);
    if (!refus.isEmpty() && !prixRefusesSignales_)
        dialogs::message(refus, dialogs::Icon::Exclamation);
    prixRefusesSignales_ = prixRefusesSignales_ || !refus.isEmpty();
}

void FormVente::completerPrixVides()
{
    try {
        ventes::remplirPrixVides(base::db());
    } catch (const db::Error& erreur) {
        // The list still shows what is stored: an empty price counts 0 all the same.
        if (!prixVidesSignales_)
            report::failure(erreur.message()
                                + QStringLiteral("\nLes prix vides des commandes n'ont pas pu être complétés par 0 :"
                                                 " ils comptent 0 dans les totaux."),
                            erreur.detail());
        prixVidesSignales_ = true;
    }
}

void FormVente::afficherGains(const std::vector<GainClasse>& gains)
{
    for (size_t k = LBClasses_.size(); k < std::max<size_t>(gains.size(), 1); ++k) {
        const int top = kHautClasses + int(k) * kPasClasses;
        LBNomClasses_.push_back(etiquette(Frame1_, QStringLiteral("LBNomClasses_%1").arg(k), {}, 0, top, 3135, 255,
                                         kBleu, 8.25));
        LBClasses_.push_back(etiquette(Frame1_, QStringLiteral("LBClasses_%1").arg(k), {}, 3360, top, 1455, 255,
                                      kBleu, 8.25));
        LBNomClasses_.back()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        LBClasses_.back()->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    }
    // A class whose lines were all deleted leaves no stale gain behind.
    for (size_t k = 0; k < LBClasses_.size(); ++k) {
        const bool present = k < gains.size();
        LBNomClasses_[k]->setText(present ? gains[k].classe : QString());
        LBClasses_[k]->setText(present ? montant::simple(gains[k].gain) : QString());
        LBNomClasses_[k]->setVisible(present || k == 0);
        LBClasses_[k]->setVisible(present || k == 0);
    }
}

void FormVente::afficherLignes(const std::vector<LigneVente>& lignes)
{
    const auto& colonnes = ventes::colonnesGrille();
    DBGridVentes_->setRowCount(int(lignes.size()));
    for (int r = 0; r < int(lignes.size()); ++r)
        for (int c = 0; c < int(colonnes.size()); ++c)
            DBGridVentes_->setItem(r, c, new QTableWidgetItem(lignes[size_t(r)].*colonnes[size_t(c)].champ));
}

void FormVente::DBComboDateCom_Click(int index)
{
    if (index < 0)
        return;
    const QString date = DBComboDateCom_->itemText(index);
    report::attempt([this, &date] {
        lignes_ = ventes::duJour(base::db(), date);
        afficherLignes(lignes_);
        // The names come from the lines shown, so that a deletion removes
        // those lines and no line another program added since.
        eleves_ = ventes::eleves(lignes_);
        DBComboNom_->clear();
        for (const EleveCommande& eleve : eleves_)
            DBComboNom_->addItem(libelle(eleve));
        DBComboNom_->setCurrentIndex(-1);
    });
    DBComboNom_->show();
    Bt_Sup_->show();
    // Nothing is deleted before the user has said whose order it is.
    Bt_Sup_->setEnabled(false);
    Bt_ImpCmde_->setEnabled(true);
}

void FormVente::Bt_Sup_Click()
{
    const int date = DBComboDateCom_->currentIndex();
    const int rang = DBComboNom_->currentIndex();
    if (date < 0 || rang < 0 || size_t(rang) >= eleves_.size())
        return;
    const QString commande = QStringLiteral("Commande de %1 du %2").arg(DBComboNom_->itemText(rang),
                                                                         DBComboDateCom_->itemText(date));
    const QString question = commande + QStringLiteral(" :\n")
        + QStringLiteral("Attention, la suppression de commande est irréversible. Souhaitez vous continuer ?");
    if (dialogs::message(question, dialogs::Icon::Question, dialogs::Buttons::YesNo)
        != dialogs::Answer::Yes) {
        dialogs::message(QStringLiteral("Suppression annulée."), dialogs::Icon::Information);
        return;
    }
    const std::vector<qint64> cles = eleves_[size_t(rang)].cles;
    const bool supprimee = report::attempt([&] {
        const int supprimees = ventes::supprimer(base::db(), cles);
        if (supprimees < int(cles.size()))
            dialogs::message(dejaSupprimees(commande, int(cles.size()) - supprimees, int(cles.size())),
                             dialogs::Icon::Exclamation);
    });
    // Refused (the database busy or read only): nothing changed, and the
    // order stays chosen for another try.
    if (!supprimee)
        return;
    reinitialiser();
    report::attempt([this] { actualiser(); });
}

void FormVente::reinitialiser()
{
    eleves_.clear();
    DBComboNom_->clear();
    DBComboNom_->hide();
    Bt_Sup_->setEnabled(false);
    Bt_Sup_->hide();
    Bt_ImpCmde_->setEnabled(false);
}

void FormVente::Bt_ImpCmde_Click()
{
    report::attempt([this] {
        lignes_ = impressions_ventes::imprimerBordereau(base::db(), lignes_);
        afficherLignes(lignes_);
    });
}

void FormVente::Mnu_Imp_Detail_Click()
{
    report::attempt([this] {
        if (std::optional<std::vector<LigneVente>> imprimees = impressions_ventes::imprimerDetail(base::db())) {
            lignes_ = std::move(*imprimees);
            afficherLignes(lignes_);
        }
    });
}

void FormVente::MNU_Imp_Solde_Click()
{
    report::attempt([] { impressions_ventes::imprimerRecapitulatif(base::db()); });
}

void FormVente::onUnload()
{
    mainWindow::show();
}
