#include "school/workspace/ajout_eleve.h"

#include "common/dialogs.h"
#include "common/paths.h"
#include "common/text.h"
#include "school/data/base.h"
#include "school/data/etat.h"
#include "school/workspace/nouvel_eleve.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <array>

AjoutEleve::AjoutEleve(const SaisieEleve& saisie, QObject* parent) : QObject(parent), saisie_(saisie)
{
    fermer();
}

std::array<QWidget*, 6> AjoutEleve::boites() const
{
    return {saisie_.LbAjNom,         saisie_.TextRecupNom, saisie_.LbAjoutPrenom,
            saisie_.TextRecupPrenom, saisie_.LbAjoutPhoto, saisie_.Bt_Ajout_Photo};
}

void AjoutEleve::ouvrir()
{
    ouvert_ = true;
    for (QWidget* boite : boites()) {
        boite->show();
        boite->raise();
    }
    saisie_.TextRecupNom->clear();
    saisie_.TextRecupPrenom->clear();
    saisie_.TextRecupNom->setFocus();
}

void AjoutEleve::fermer()
{
    ouvert_ = false;
    for (QWidget* boite : boites())
        boite->hide();
}

QString AjoutEleve::demanderPhoto() const
{
    return dialogs::openFile(
        {QStringLiteral("Photo de l'élève"), {}, QStringLiteral("Images JPEG (*.jpg);;Tous les fichiers (*)")});
}

bool AjoutEleve::enregistrer(const QString& fichierPhoto) const
{
    if (fichierPhoto.isEmpty())
        return false;
    const QString nom = text::composed(saisie_.TextRecupNom->text());
    const QString prenom = text::composed(saisie_.TextRecupPrenom->text());
    if (nom.isEmpty() || prenom.isEmpty()) {
        dialogs::message(QStringLiteral("Les champs Nom et Prénom de l'élève doivent être renseignés."),
                         dialogs::Icon::Critical);
        return false;
    }
    // The names find the student's picture and name the exported ones.
    for (const auto& [valeur, champ] : {std::pair{nom, QStringLiteral("Le nom de l'élève")},
                                        std::pair{prenom, QStringLiteral("Le prénom de l'élève")}}) {
        if (const QString refus = paths::controlRefusal(valeur, champ); !refus.isEmpty()) {
            dialogs::message(refus, dialogs::Icon::Critical);
            return false;
        }
    }
    const nouvel_eleve::Resultat resultat =
        nouvel_eleve::enregistrer(base::db(), etat::CheminDonnees, etat::ClasseChoisie, nom, prenom, fichierPhoto);
    if (!resultat.erreur.isEmpty()) {
        dialogs::message(resultat.erreur, dialogs::Icon::Critical);
        return false;
    }
    return true;
}
