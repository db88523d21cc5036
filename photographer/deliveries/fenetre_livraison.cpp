#include "photographer/deliveries/fenetre_livraison.h"

#include "common/dialogs.h"
#include "common/ui/layout.h"
#include "common/shell.h"
#include "photographer/data/etat.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDateTime>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

FenetreLivraison::FenetreLivraison(const QString& nom, const QString& titre) : Form(nom)
{
    setWindowTitle(titre);
    auto* fond = new QWidget(this);
    setCentralWidget(fond);
    Label2_ = layout::caption(fond, QStringLiteral("Label2"), QStringLiteral("Etablissement"));
    layout::place(Label2_, 240, 240, 4935, 255);
    ProgressBar1_ = new QProgressBar(fond);
    ProgressBar1_->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1_->setRange(0, 100);
    ProgressBar1_->setValue(0);
    layout::place(ProgressBar1_, 240, 600, 4935, 255);
    Command1_ = new QPushButton(QStringLiteral("Ok"), fond);
    Command1_->setObjectName(QStringLiteral("Command1"));
    Command1_->setEnabled(false);
    layout::place(Command1_, 4080, 1080, 1095, 375);
    connect(Command1_, &QPushButton::clicked, this, &FenetreLivraison::Command1_Click);
    resize(layout::px(5535), layout::px(1935));
}

void FenetreLivraison::onActivate()
{
    // One delivery per opening: coming back to the window, or a click during
    // the work, never starts it again.
    if (lancee_)
        return;
    lancee_ = true;
    livraison::Issue issue;
    if (etat::CodeEtabEnCours.isEmpty()) {
        issue = livraison::Issue::echec(QStringLiteral("Aucun établissement n'est ouvert : il n'y a rien à livrer."));
    } else {
        enCours_ = true;
        issue = livrer([this](int valeur) { avancer(valeur); });
        enCours_ = false;
    }
    if (!issue.reussie) {
        dialogs::message(issue.message, dialogs::Icon::Critical);
        Command1_->setVisible(true);
        Command1_->setEnabled(true);
        return;
    }
    ProgressBar1_->setValue(100);
    dialogs::message(issue.message, dialogs::Icon::Information);
    Command1_->setEnabled(true);
    unload();
    shell::openOrReport(issue.dossier);
    livraison::finirProgramme();
}

void FenetreLivraison::avancer(int valeur)
{
    ProgressBar1_->setValue(valeur);
    // The window repaints and answers while thousands of files are copied,
    // without paying for an event round at every file.
    const qint64 maintenant = QDateTime::currentMSecsSinceEpoch();
    if (maintenant - derniereMiseAJour_ >= 50) {
        derniereMiseAJour_ = maintenant;
        QCoreApplication::processEvents();
    }
}

void FenetreLivraison::closeEvent(QCloseEvent* event)
{
    event->ignore();
    // Closed after a failure, it goes back to the main window as "Ok" does:
    // the window that opened it is hidden, and the program must not run on
    // with no window.
    if (!enCours_)
        Command1_Click();
}

void FenetreLivraison::Command1_Click()
{
    unload();
    mainWindow::show();
}
