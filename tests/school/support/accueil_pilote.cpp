#include "tests/school/support/accueil_pilote.h"

#include "school/data/etat.h"

#include <QApplication>

namespace {

void remettreEtat()
{
    etat::ModeCreationGroupe = false;
    etat::NomGroupeValide = false;
    etat::PlancheClasse = false;
    etat::PlancheChargee = false;
    etat::FichierImpression.clear();
}

} // namespace

AccueilPilote::AccueilPilote() : PiloteFenetre([] { return existingForm<FormAccueil>(); })
{
    FormAccueil::registerAsMainWindow();
    remettreEtat();
}

AccueilPilote::~AccueilPilote()
{
    fermer();
}

void AccueilPilote::fermer()
{
    for (QWidget* fenetre : QApplication::topLevelWidgets())
        if (auto* form = qobject_cast<Form*>(fenetre); form && !form->isUnloaded())
            form->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    remettreEtat();
}

FormAccueil& AccueilPilote::ouvrir()
{
    FormAccueil& form = formInstance<FormAccueil>();
    form.showForm();
    return form;
}

void AccueilPilote::afficherClasse(const QString& classe) const
{
    choisir(QStringLiteral("DBComboClasses"), classe);
    cliquer(QStringLiteral("Bt_Aficher"));
}

void AccueilPilote::afficherGroupe(const QString& groupe) const
{
    choisir(QStringLiteral("DBComboGroupe"), groupe);
    cliquer(QStringLiteral("Aff_Groupe"));
}
