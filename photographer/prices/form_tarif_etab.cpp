#include "photographer/prices/form_tarif_etab.h"

#include "common/dialogs.h"
#include "common/report.h"
#include "common/text.h"
#include "common/ui/key_filter.h"
#include "common/ui/layout.h"
#include "common/ui/menus.h"
#include "photographer/data/base.h"
#include "photographer/data/etat.h"
#include "photographer/prices/feuille_tarif.h"
#include "photographer/prices/saisies.h"
#include "photographer/prices/tarifs_etab.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>

namespace {

constexpr int kHauteurBoite = 375;
constexpr int kHautArticles = 3120;
constexpr int kLargeurCadre = 11295, kHauteurCadre = 7095;

enum { Pochette = 0, Articles = 1, Terminer = 2 };

} // namespace

FormTarifEtab::FormTarifEtab() : Form(QStringLiteral("FormTarifEtab"))
{
    construire();
    QMenu* fichier = menus::menu(menuBar(), QStringLiteral("MNU_Fichier"), QStringLiteral("Fichier"));
    connect(menus::entry(fichier, QStringLiteral("MNU_Retour"), QStringLiteral("Retour")), &QAction::triggered, this,
            &FormTarifEtab::unload);
    resize(layout::px(kLargeurCadre + 375), layout::px(7455) + menuBar()->sizeHint().height());
}

void FormTarifEtab::construire()
{
    auto* zone = new QScrollArea(this);
    zone->setObjectName(QStringLiteral("ZoneTarifs"));
    zone->verticalScrollBar()->setObjectName(QStringLiteral("VScroll1"));
    zone->setFrameShape(QFrame::NoFrame);
    zone->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setCentralWidget(zone);
    Frame1_ = new QWidget;
    Frame1_->setObjectName(QStringLiteral("Frame1"));
    Frame1_->setFont(QFont(QStringLiteral("Verdana"), 8));
    Frame1_->resize(layout::px(kLargeurCadre), layout::px(kHauteurCadre));
    zone->setWidget(Frame1_);

    QLabel* LbChoixPochette =
        layout::caption(Frame1_, QStringLiteral("LbChoixPochette"), QStringLiteral("Choix pochette :"));
    layout::place(LbChoixPochette, 120, 1080, 1785, 240);
    ComboChoixPochette_ = new QComboBox(Frame1_);
    ComboChoixPochette_->setObjectName(QStringLiteral("ComboChoixPochette"));
    layout::place(ComboChoixPochette_, 2160, 960, 3375, 360);
    refuseTyping(ComboChoixPochette_);
    Label4_[0] = layout::caption(Frame1_, QStringLiteral("Label4_0"), QStringLiteral("Prix vente établissement"));
    layout::place(Label4_[0], 5400, 240, 1770, 480);
    Label4_[1] =
        layout::caption(Frame1_, QStringLiteral("Label4_1"), QStringLiteral("Prix vente recommande établissement"));
    layout::place(Label4_[1], 7440, 120, 1650, 720);
    TextSaisiePrixEleve_ = boitePrix(5640, 960, 1455, QStringLiteral("TextSaisiePrixEleve"));
    TextSaisiePrixRecEleve_ = boitePrix(7560, 960, 1455, QStringLiteral("TextSaisiePrixRecEleve"));
    saisies::suivre(TextSaisiePrixEleve_, TextSaisiePrixRecEleve_);

    Label1_ = layout::caption(Frame1_, QStringLiteral("Label1"), QStringLiteral("Prix vente recommande établissement"));
    layout::place(Label1_, 7320, 2280, 1695, 840);
    Label2_ = layout::caption(Frame1_, QStringLiteral("Label2"), QStringLiteral("Prix vente établissement"));
    layout::place(Label2_, 5520, 2520, 1650, 480);
    LbNbArticleSel_ =
        layout::caption(Frame1_, QStringLiteral("LbNbArticleSel"), QStringLiteral("Nb d'articles sélectionnés  :"));
    layout::place(LbNbArticleSel_, 120, 2640, 2985, 240);
    LbNb_ = layout::caption(Frame1_, QStringLiteral("LbNb"), {});
    layout::place(LbNb_, 3480, 2640, 600, 240);
    Label4_[3] = layout::caption(Frame1_, QStringLiteral("Label4_3"), QStringLiteral("Prix vente établissement"));
    layout::place(Label4_[3], 7320, 4080, 1770, 480);
    LabelPochetteIncomplete_ =
        layout::caption(Frame1_, QStringLiteral("LabelPochetteIncomplete"), QStringLiteral("Pochette Incomplete :"));
    layout::place(LabelPochetteIncomplete_, 120, 4560, 1575, 480);
    for (QLabel* legende : {LbChoixPochette, Label4_[0], Label4_[1], Label1_, Label2_, LbNbArticleSel_, LbNb_, Label4_[3],
                            LabelPochetteIncomplete_})
        legende->setWordWrap(true);
    for (QLabel* cache : {Label1_, Label2_, LbNbArticleSel_, Label4_[3], LabelPochetteIncomplete_})
        cache->hide();

    const char* const textes[] = {"Suivant >>", "Suivant >>", "Terminer"};
    const int hauts[] = {960, 3120, 4800};
    for (int i = 0; i < 3; ++i) {
        auto* bouton = new QPushButton(QString::fromLatin1(textes[i]), Frame1_);
        bouton->setObjectName(QStringLiteral("Bt_Suite_1_%1").arg(i));
        layout::place(bouton, 9720, hauts[i], 1455, kHauteurBoite);
        bouton->setVisible(i == Pochette);
        bouton->setEnabled(i == Pochette);
        connect(bouton, &QPushButton::clicked, this, [this, i] { Bt_Suite_1_Click(i); });
        Bt_Suite_1_[std::size_t(i)] = bouton;
    }
}

QLineEdit* FormTarifEtab::boitePrix(int gauche, int haut, int largeur, const QString& nom)
{
    auto* boite = new QLineEdit(Frame1_);
    boite->setObjectName(nom);
    layout::place(boite, gauche, haut, largeur, kHauteurBoite);
    filterPrice(boite);
    return boite;
}

void FormTarifEtab::onLoad()
{
    nbCoches_ = 0;
    setWindowTitle(QStringLiteral("Tarifs établissement : ") + etat::NomEtabEnCours);
}

void FormTarifEtab::onActivate()
{
    // Once per opening: coming back from a message or another window must not
    // empty the prices again.
    if (active_)
        return;
    active_ = true;
    report::attempt([&] { pochettes_ = catalogue::pochettes(base::db()); });
    for (const catalogue::Produit& pochette : pochettes_)
        ComboChoixPochette_->addItem(pochette.nom, pochette.cle);
    ComboChoixPochette_->setCurrentIndex(ComboChoixPochette_->count() - 1);
    TextSaisiePrixEleve_->setFocus();
}

void FormTarifEtab::onUnload()
{
    if (!enregistree_) {
        dialogs::message(QStringLiteral("Les tarifs de l'établissement %1 n'ont pas été modifiés : l'assistant a été "
                                        "quitté avant « Terminer », l'établissement garde ses tarifs précédents.")
                             .arg(etat::NomEtabEnCours),
                         dialogs::Icon::Information);
    }
    mainWindow::show();
}

void FormTarifEtab::Bt_Suite_1_Click(int index)
{
    switch (index) {
    case Pochette: validerPochette(); break;
    case Articles: validerArticles(); break;
    case Terminer: terminer(); break;
    }
}

QString FormTarifEtab::prixPhotographeRefuse(const QString& nom, const QString& prix)
{
    return QStringLiteral("Le prix photographe de « %1 » est refusé : %2\nCorrigez-le dans les tarifs photographe "
                          "avant de saisir les tarifs de l'établissement.")
        .arg(nom, text::priceRefusal(prix));
}

QString FormTarifEtab::prixPhotographeRefuse(const catalogue::Produit& produit)
{
    return prixPhotographeRefuse(produit.nom, tarifs_etab::prixPhotographeRefuse(produit));
}

void FormTarifEtab::refuser(QLineEdit* boite, const QString& message)
{
    dialogs::message(message, dialogs::Icon::Critical);
    boite->setFocus();
}

void FormTarifEtab::validerPochette()
{
    const int choix = ComboChoixPochette_->currentIndex();
    if (choix < 0 || choix >= int(pochettes_.size())) {
        dialogs::message(QStringLiteral("Aucune pochette n'est enregistrée dans les tarifs photographe."),
                         dialogs::Icon::Critical);
        return;
    }
    liste_.pochette = pochettes_[std::size_t(choix)];
    liste_.prixPochette = {TextSaisiePrixEleve_->text(), TextSaisiePrixRecEleve_->text()};
    using tarifs_etab::RefusPochette;
    switch (tarifs_etab::refusPochette(liste_.pochette, liste_.prixPochette)) {
    case RefusPochette::VenteVide:
        return refuser(TextSaisiePrixEleve_, QStringLiteral("Le ") + Label4_[0]->text() + QStringLiteral(" ne peut être nul"));
    case RefusPochette::RecommandeVide:
        return refuser(TextSaisiePrixRecEleve_,
                       QStringLiteral("Le ") + Label4_[1]->text() + QStringLiteral(" ne peut être nul"));
    case RefusPochette::VenteInvalide:
        return refuser(TextSaisiePrixEleve_, saisies::prixRefuse(Label4_[0]->text(), liste_.prixPochette.vente));
    case RefusPochette::RecommandeInvalide:
        return refuser(TextSaisiePrixRecEleve_,
                       saisies::prixRefuse(Label4_[1]->text(), liste_.prixPochette.recommande));
    case RefusPochette::PhotographeInvalide:
        return refuser(TextSaisiePrixEleve_, prixPhotographeRefuse(liste_.pochette));
    case RefusPochette::VenteBasse:
        return refuser(TextSaisiePrixEleve_, QStringLiteral("Le prix de vente de l'établissement est inférieur au "
                                                           "prix de vente du photographe"));
    case RefusPochette::RecommandeBasse:
        return refuser(TextSaisiePrixRecEleve_, QStringLiteral("Le prix de vente des recommandes  est inférieur au "
                                                              "prix de vente du photographe"));
    case RefusPochette::Aucun:
        break;
    }
    for (QWidget* etape : std::initializer_list<QWidget*>{TextSaisiePrixEleve_, TextSaisiePrixRecEleve_,
                                                          ComboChoixPochette_, Bt_Suite_1_[Pochette]})
        etape->setEnabled(false);
    montrerArticles();
}

void FormTarifEtab::montrerArticles()
{
    std::vector<catalogue::Produit> articles;
    report::attempt([&] { articles = catalogue::articlesParNom(base::db()); });
    int haut = kHautArticles;
    std::vector<QWidget*> ordre;
    for (std::size_t i = 0; i < articles.size(); ++i, haut += kHauteurBoite) {
        // The article's name as typed: "&" is no shortcut mark here.
        auto* coche = new QCheckBox(layout::buttonCaption(articles[i].nom), Frame1_);
        coche->setObjectName(QStringLiteral("CheckArticle_%1").arg(i));
        layout::place(coche, 240, haut, 5295, kHauteurBoite);
        auto* prix = boitePrix(5640, haut, 1335, QStringLiteral("TextRecPrixArticle_%1").arg(i));
        auto* prixRec = boitePrix(7560, haut, 1335, QStringLiteral("TextRecPrixArtEtab_%1").arg(i));
        saisies::suivre(prix, prixRec);
        for (QWidget* rang : std::initializer_list<QWidget*>{coche, prix, prixRec})
            rang->show();
        prix->setEnabled(false);
        prixRec->setEnabled(false);
        connect(coche, &QCheckBox::clicked, this, [this, i](bool coche) { CheckArticle_Click(i, coche); });
        articles_.push_back({articles[i], coche, prix, prixRec});
        ordre.insert(ordre.end(), {coche, prix, prixRec});
    }
    ordre.push_back(Bt_Suite_1_[Articles]);
    saisies::ordreTab(ordre);
    const int dernier = articles.empty() ? kHautArticles : haut - kHauteurBoite;
    for (QWidget* montre : std::initializer_list<QWidget*>{LbNbArticleSel_, Label1_, Label2_, Bt_Suite_1_[Articles]})
        montre->show();
    hautSuite_ = dernier;
    layout::place(Bt_Suite_1_[Articles], 9720, dernier, 1455, kHauteurBoite);
    Bt_Suite_1_[Articles]->setEnabled(true);
    agrandirCadre(dernier + 4 * 615);
}

void FormTarifEtab::CheckArticle_Click(std::size_t rang, bool coche)
{
    const RangArticle& ligne = articles_[rang];
    if (coche) {
        ++nbCoches_;
        ligne.prix->setEnabled(true);
        ligne.prixRec->setEnabled(true);
        ligne.prix->setFocus();
    } else {
        --nbCoches_;
    }
    LbNb_->setText(QString::number(nbCoches_));
}

void FormTarifEtab::validerArticles()
{
    std::vector<tarifs_etab::LigneArticle> lignes;
    for (const RangArticle& rang : articles_) {
        if (!rang.coche->isChecked())
            continue;
        const tarifs_etab::Prix prix{rang.prix->text(), rang.prixRec->text()};
        using tarifs_etab::RefusPochette;
        switch (tarifs_etab::refusArticle(rang.article, prix)) {
        case RefusPochette::Aucun:
            break;
        case RefusPochette::VenteInvalide:
            return refuser(rang.prix, saisies::prixRefuse(Label2_->text(), prix.vente, rang.article.nom));
        case RefusPochette::RecommandeInvalide:
            return refuser(rang.prixRec, saisies::prixRefuse(Label1_->text(), prix.recommande, rang.article.nom));
        case RefusPochette::PhotographeInvalide:
            return refuser(rang.prix, prixPhotographeRefuse(rang.article));
        default:
            return refuser(rang.prixRec,
                           QStringLiteral("Le prix de vente Etablissement est inférieur au prix photographe !!!"));
        }
        lignes.push_back({rang.article, prix});
    }
    // Each stored article row carries the pack too: without one, nothing
    // would take the establishment's prices to the school.
    if (lignes.empty()) {
        dialogs::message(QStringLiteral("Cochez au moins un article : sans article, l'école ne recevrait pas les "
                                        "tarifs de l'établissement."),
                         dialogs::Icon::Critical);
        if (!articles_.empty())
            articles_.front().coche->setFocus();
        return;
    }
    liste_.articles = std::move(lignes);
    for (const RangArticle& rang : articles_) {
        for (QWidget* widget : std::initializer_list<QWidget*>{rang.coche, rang.prix, rang.prixRec})
            widget->setEnabled(false);
    }
    Bt_Suite_1_[Articles]->setEnabled(false);
    Bt_Suite_1_[Terminer]->setEnabled(true);
    montrerIncompletes();
}

void FormTarifEtab::montrerIncompletes()
{
    std::vector<catalogue::PochetteIncomplete> incompletes;
    report::attempt([&] { incompletes = catalogue::pochettesIncompletes(base::db(), liste_.pochette.ref); });
    const int hautTitre = hautSuite_ + 2 * kHauteurBoite;
    layout::place(Label4_[3], 7320, hautTitre, 1770, 480);
    const int hautListe = hautTitre + 2 * 480;
    layout::place(LabelPochetteIncomplete_, 120, hautListe, 1575, 480);
    Label4_[3]->show();
    LabelPochetteIncomplete_->show();
    int haut = hautListe;
    std::vector<QWidget*> ordre;
    for (std::size_t i = 0; i < incompletes.size(); ++i, haut += kHauteurBoite) {
        QLabel* nom = layout::caption(Frame1_, QStringLiteral("LBPoInc_%1").arg(i), incompletes[i].libelle);
        layout::place(nom, 2160, haut, 5295, kHauteurBoite);
        QLineEdit* prix = boitePrix(7560, haut, 1455, QStringLiteral("TextPrixEtabPoInc_%1").arg(i));
        nom->show();
        prix->show();
        incompletes_.push_back({incompletes[i], nom, prix});
        ordre.push_back(prix);
    }
    ordre.push_back(Bt_Suite_1_[Terminer]);
    saisies::ordreTab(ordre);
    const int dernier = incompletes.empty() ? hautListe : haut - kHauteurBoite;
    layout::place(Bt_Suite_1_[Terminer], 9720, dernier, 1455, kHauteurBoite);
    Bt_Suite_1_[Terminer]->show();
    agrandirCadre(dernier + kHauteurBoite + 1000);
}

void FormTarifEtab::agrandirCadre(int hauteur)
{
    Frame1_->resize(Frame1_->width(), std::max(layout::px(kHauteurCadre), layout::px(hauteur)));
}

void FormTarifEtab::terminer()
{
    std::vector<tarifs_etab::LigneIncomplete> retenues;
    for (const RangIncomplete& rang : incompletes_) {
        if (rang.prix->text().isEmpty()) {
            rang.prix->setFocus();
            return;
        }
        using tarifs_etab::RefusIncomplete;
        switch (tarifs_etab::refusIncomplete(rang.incomplete, rang.prix->text())) {
        case RefusIncomplete::Retenue:
            retenues.push_back({rang.incomplete, rang.prix->text()});
            break;
        case RefusIncomplete::NonRetenue:
            break;
        case RefusIncomplete::Invalide:
            return refuser(rang.prix,
                           saisies::prixRefuse(Label4_[3]->text(), rang.prix->text(), rang.incomplete.libelle));
        case RefusIncomplete::PhotographeInvalide:
            return refuser(rang.prix, prixPhotographeRefuse(rang.incomplete.libelle, rang.incomplete.prix));
        }
    }
    liste_.incompletes = std::move(retenues);
    // The whole list in one step: the establishment never has half of it.
    if (!report::attempt([&] { tarifs_etab::remplacer(base::db(), etat::CodeEtabEnCours, liste_); }))
        return;
    enregistree_ = true;
    dialogs::message(QStringLiteral("Tarifs enregistrés"), dialogs::Icon::Critical);
    imprimerFeuille();
    unload();
}

void FormTarifEtab::imprimerFeuille()
{
    // The sheet shows the list as stored: an incomplete pack not priced
    // above the photographer's price is left out.
    feuille_tarif::Feuille feuille{etat::NomEtabEnCours,
                                   {liste_.pochette.nom, liste_.prixPochette.vente,
                                    liste_.prixPochette.recommande},
                                   {},
                                   {}};
    for (const tarifs_etab::LigneArticle& ligne : liste_.articles)
        feuille.articles.push_back({ligne.article.nom, ligne.prix.vente, ligne.prix.recommande});
    for (const tarifs_etab::LigneIncomplete& ligne : liste_.incompletes)
        feuille.incompletes.push_back({ligne.incomplete.libelle, ligne.prix, {}});
    const feuille_tarif::Issue issue = feuille_tarif::ecrireEtImprimer(feuille);
    if (issue == feuille_tarif::Issue::Imprimee)
        return;
    const bool ecrite = issue == feuille_tarif::Issue::NonImprimee;
    dialogs::message(QStringLiteral("La feuille de tarifs %1 %2. Les tarifs restent enregistrés.")
                         .arg(feuille_tarif::chemin(), ecrite ? QStringLiteral("n'a pas été imprimée")
                                                              : QStringLiteral("n'a pas pu être écrite")),
                     ecrite ? dialogs::Icon::Exclamation : dialogs::Icon::Critical);
}

void ressaisirTarifsEtablissement(Form& ecranPrise)
{
    const QString question = QStringLiteral("ATTENTION !!! Etes vous sûr de vouloir ressaisir les tarifs de "
                                            "l'établissement maintenant ?\r\nAu moindre doute, cliquez sur le "
                                            "bouton : ANNULER");
    if (dialogs::message(question, dialogs::Icon::None, dialogs::Buttons::OkCancel,
                         QStringLiteral("ATTENTION !!! Ressaisie des tarifs établissement..."))
        != dialogs::Answer::Ok)
        return;
    // The shooting screen leaves with the wizard, which goes back to the main window.
    formInstance<FormTarifEtab>().showInPlaceOf(ecranPrise);
}
