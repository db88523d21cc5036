#include "school/workspace/assistant_groupe.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "common/text.h"
#include "school/data/base.h"
#include "school/workspace/liste_choix.h"
#include "school/data/etat.h"
#include "school/data/requetes.h"

#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <optional>

namespace {

const QString kConsigneChoix = QStringLiteral("Ouvrir une classe et cliquer sur les élèves concernés");

} // namespace

AssistantGroupe::AssistantGroupe(const EtapesAssistant& etapes, ListeChoix& liste, Planche& planche,
                                 QObject* parent)
    : QObject(parent), etapes_(etapes), liste_(liste), planche_(planche)
{
}

void AssistantGroupe::demarrer()
{
    etat::ModeCreationGroupe = true;
    etat::NomGroupeValide = false;
    lignesEcrites_.clear();
    etapes_.ImageEtape1->show();
    etapes_.LabelDonnerNom->setText(QStringLiteral("Donner un nom au nouveau groupe :"));
    etapes_.LabelDonnerNom->show();
    etapes_.SaisieNomGroupe->clear();
    etapes_.SaisieNomGroupe->show();
    etapes_.SaisieNomGroupe->setFocus();
    etapes_.Valider->show();
    // "Terminé" leaves the wizard at any step.
    etapes_.Termine->setEnabled(true);
    etapes_.Termine->show();
}

bool AssistantGroupe::validerNom()
{
    // "Latin " is the group "Latin"; a name of blanks is no name.
    etat::NomNouveauGroupe = text::composed(etapes_.SaisieNomGroupe->text().trimmed());
    QString refus;
    if (etat::NomNouveauGroupe.size() < 3)
        refus = QStringLiteral("Le nom de groupe doit comporter au moins 3 caractères.");
    else
        refus = paths::componentRefusal(etat::NomNouveauGroupe, QStringLiteral("Le nom du groupe"));
    if (refus.isEmpty() && requetes::groupeExiste(base::db(), etat::NomNouveauGroupe))
        refus = QStringLiteral("Le nom de groupe saisi existe déjà.");
    if (!refus.isEmpty()) {
        dialogs::message(refus, dialogs::Icon::Critical);
        etapes_.SaisieNomGroupe->clear();
        etapes_.SaisieNomGroupe->setFocus();
        return false;
    }
    etat::NomGroupeValide = true;
    etapes_.ImageEtape1->hide();
    etapes_.SaisieNomGroupe->hide();
    etapes_.ImageEtape2->show();
    etapes_.LabelDonnerNom->setText(kConsigneChoix);
    etapes_.Valider->hide();
    return true;
}

void AssistantGroupe::terminer()
{
    etapes_.Termine->setEnabled(false);
    if (!lignesEcrites_.empty())
        dialogs::message(QStringLiteral("Le groupe ") + etat::NomNouveauGroupe
                             + QStringLiteral(" va être créer. Vous pourrez y accéder par la liste de déroulante"
                                              " Groupe / Ouvrir."),
                         dialogs::Icon::Information);
    else
        dialogs::message(QStringLiteral("La création du groupe a été annulée."), dialogs::Icon::Information);
    lignesEcrites_.clear();
    masquerEtapes();
    etat::ModeCreationGroupe = false;
    etat::NomGroupeValide = false;
    liste_.vider();
}

void AssistantGroupe::commencerAjout()
{
    ajout_ = true;
    lignesEcrites_.clear();
    etapes_.LabelDonnerNom->setText(kConsigneChoix);
    etapes_.LabelDonnerNom->show();
    etat::ModeCreationGroupe = true;
}

bool AssistantGroupe::terminerAjout()
{
    const bool ecrit = !lignesEcrites_.empty();
    lignesEcrites_.clear();
    ajout_ = false;
    masquerEtapes();
    etat::ModeCreationGroupe = false;
    liste_.vider();
    if (!ecrit)
        dialogs::message(QStringLiteral("Ajout Annulé."), dialogs::Icon::Critical);
    return ecrit;
}

void AssistantGroupe::classeOuverte(const QString& classe)
{
    if (etat::ModeCreationGroupe)
        liste_.ecrireEnTete(classe);
}

bool AssistantGroupe::choisir(int index)
{
    const CelluleEleve& eleve = planche_.cellule(index);
    const std::optional<qint64> cle =
        requetes::ajouterAuGroupe(base::db(), etat::NomNouveauGroupe, eleve, etat::ClasseChoisie);
    if (!cle)
        return false; // already in the group
    CelluleEleve choisi = eleve;
    choisi.classe = etat::ClasseChoisie;
    lignesEcrites_.push_back({*cle, choisi});
    planche_.marquerChoisi(choisi, true);
    etapes_.Termine->setEnabled(true);
    liste_.ajouterEleve(eleve.nom + u' ' + eleve.prenom, *cle);
    return true;
}

void AssistantGroupe::retirer(int index)
{
    const qint64 cle = liste_.cle(index);
    if (cle == 0 || !requetes::retirerDuGroupe(base::db(), cle))
        return;
    liste_.retirer(index);
    const auto choix = std::find_if(lignesEcrites_.begin(), lignesEcrites_.end(),
                                    [cle](const Choix& c) { return c.cle == cle; });
    if (choix == lignesEcrites_.end())
        return;
    planche_.marquerChoisi(choix->eleve, false);
    lignesEcrites_.erase(choix);
}

void AssistantGroupe::masquerEtapes()
{
    for (QWidget* etape : std::initializer_list<QWidget*>{etapes_.LabelDonnerNom, etapes_.ImageEtape1,
                                                          etapes_.ImageEtape2, etapes_.SaisieNomGroupe,
                                                          etapes_.Valider, etapes_.Termine})
        etape->hide();
}
