#include "tests/school/support/accueil_pilote.h"

#include "school/workspace/a_propos.h"
#include "school/data/etat.h"

#include <QApplication>
#include <QComboBox>
#include <QTest>

namespace {

void remettreEtat()
{
    etat::ModeCreationGroupe = false;
    etat::NomGroupeValide = false;
    etat::EleveAjouteAuGroupe = false;
    etat::PlancheClasse = false;
    etat::PlancheChargee = false;
    etat::FichierImpression.clear();
    etat::FichierCartes.clear();
    etat::FichierEtiquettes.clear();
}

} // namespace

AccueilPilote::AccueilPilote()
{
    remettreEtat();
}

AccueilPilote::~AccueilPilote()
{
    // Every window of the program, the ones the main window opened included.
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

FormAccueil& AccueilPilote::fenetre() const
{
    FormAccueil* form = existingForm<FormAccueil>();
    if (!form)
        throw std::logic_error("the main window is not open");
    return *form;
}

QStringList AccueilPilote::entrees(const QString& liste) const
{
    auto* combo = controle<QComboBox>(liste);
    QStringList textes;
    for (int i = 0; i < combo->count(); ++i)
        textes << combo->itemText(i);
    return textes;
}

void AccueilPilote::cliquer(const QString& nom) const
{
    QTest::mouseClick(controle<QWidget>(nom), Qt::LeftButton);
}

void AccueilPilote::choisir(const QString& liste, const QString& texte) const
{
    auto* combo = controle<QComboBox>(liste);
    const int index = combo->findText(texte);
    ASSERT_GE(index, 0) << texte.toStdString();
    combo->setCurrentIndex(index);
    Q_EMIT combo->activated(index);
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
