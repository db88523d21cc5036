#include "photographer/prices/form_tarifs.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/report.h"
#include "common/ui/layout.h"
#include "photographer/prices/section_articles.h"
#include "photographer/prices/section_pochettes.h"
#include "photographer/data/base.h"

#include <QFrame>
#include <QPushButton>

namespace {

constexpr unsigned kFond = 0xF8F8F8;
constexpr unsigned kBleuClair = 0xFFC080;

} // namespace

FormTarifs::FormTarifs() : Form(QStringLiteral("FormTarifs"))
{
    setWindowTitle(QStringLiteral("Tarifs Photographe..."));
    auto* Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    setCentralWidget(Frame1);
    layout::setBackground(Frame1, kFond);
    Frame1->setFont(layout::font(QStringLiteral("Verdana"), 8));

    pochettes_ = new SectionPochettes(*this, Frame1);

    auto* Line1 = new QFrame(Frame1);
    Line1->setObjectName(QStringLiteral("Line1"));
    layout::setBackground(Line1, kBleuClair);
    layout::place(Line1, 360, 5280, 11160 - 360, 30);

    articles_ = new SectionArticles(*this, Frame1);

    Bt_retour_ = new QPushButton(QStringLiteral("Retour"), Frame1);
    Bt_retour_->setObjectName(QStringLiteral("Bt_retour"));
    layout::place(Bt_retour_, 12480, 8040, 1095, 375);
    connect(Bt_retour_, &QPushButton::clicked, this, &FormTarifs::Bt_retour_Click);

    setFixedSize(layout::px(13815), layout::px(8655));
}

void FormTarifs::onActivate()
{
    // The lists are read once per loading: coming back from another window
    // leaves them as they are.
    if (rempli_)
        return;
    rempli_ = true;
    std::vector<catalogue::Produit> pochettes;
    std::vector<catalogue::Produit> articles;
    report::attempt([&] {
        pochettes = catalogue::pochettes(base::db());
        articles = catalogue::articles(base::db());
    });
    articles_->remplir(std::move(articles));
    pochettes_->remplir(std::move(pochettes));
    reposer();
}

void FormTarifs::onUnload()
{
    const int nombre = compterArticles();
    if (nombre >= 0 && nombre < 3)
        dialogs::message(QString::fromUtf8(kTroisArticles), dialogs::Icon::Critical);
}

int FormTarifs::compterArticles()
{
    try {
        return catalogue::nombreArticles(base::db());
    } catch (const db::Error& erreur) {
        report::failure(erreur);
        return -1;
    }
}

void FormTarifs::Bt_retour_Click()
{
    if (compterArticles() < 3) {
        dialogs::message(QString::fromUtf8(kTroisArticles), dialogs::Icon::Critical);
        return;
    }
    unload();
    mainWindow::show();
}

void FormTarifs::DesactiverZonePochettes()
{
    pochettes_->desactiverZone();
}

void FormTarifs::DesactiverZoneArticles()
{
    articles_->desactiverZone();
}

bool FormTarifs::sansArticle() const
{
    return articles_->vide();
}

void FormTarifs::activerBoutons(bool actif)
{
    occupe_ = !actif;
    pochettes_->activerBoutons(actif);
    articles_->activerBoutons(actif);
}

void FormTarifs::reposer()
{
    occupe_ = false;
    pochettes_->reposer();
    articles_->reposer();
    Bt_retour_->setEnabled(true);
}

void FormTarifs::recharger()
{
    unload();
    formInstance<FormTarifs>().showForm();
}

void FormTarifs::ecrire(const Ecriture& travail)
{
    if (!report::attempt([&] { travail(base::db()); }))
        return;
    recharger();
}

void FormTarifs::ajouterSansDoublon(const std::function<bool(db::Database&)>& prise, const QString& refus,
                                    const Ecriture& ajout)
{
    bool dejaPrise = false;
    if (!report::attempt([&] { dejaPrise = prise(base::db()); }))
        return;
    if (dejaPrise) {
        dialogs::message(refus, dialogs::Icon::Critical);
        Bt_retour_->setEnabled(true);
        return;
    }
    ecrire(ajout);
}
