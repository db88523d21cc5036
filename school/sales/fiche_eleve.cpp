#include "school/sales/fiche_eleve.h"

#include "common/dialogs.h"

#include <algorithm>

namespace fiche_eleve {

namespace {

struct Champ {
    const char* libelle; // UTF-8, as the card captions the field
    QString FicheEleve::*membre;
};

// The fields the card lets the secretary change.
const std::vector<Champ>& champsModifiables()
{
    static const std::vector<Champ> liste = {
        {"Nom", &FicheEleve::nom},
        {"Prénom", &FicheEleve::prenom},
        {"Date de naissance", &FicheEleve::naissance},
        {"Régime", &FicheEleve::regime},
        {"Numéro INE", &FicheEleve::ine},
        {"Numéro Interne", &FicheEleve::numInterne},
    };
    return liste;
}

void ecrire(db::Database& base, const FicheEleve& fiche)
{
    base.exec(QStringLiteral("UPDATE Eleves SET CodeEtablissement = ?, Nom = ?, Prenom = ?, Naissance = ?, Regime = ?,"
                             " INE = ?, NumInterne = ? WHERE CdeEleves = ?"),
              {fiche.codeCommande, fiche.nom, fiche.prenom, fiche.naissance, fiche.regime, fiche.ine,
               fiche.numInterne, fiche.cdeEleves});
}

// The one question for every field changed on both sides: Oui keeps what this card holds.
bool garderSaisie(const FicheEleve& saisie, const std::vector<ConflitFiche>& conflits)
{
    QString texte = QStringLiteral("La fiche de %1 %2 a été modifiée sur un autre poste depuis son ouverture :\n")
                        .arg(saisie.nom, saisie.prenom);
    for (const ConflitFiche& conflit : conflits)
        texte += QStringLiteral("%1 : « %2 » sur l'autre poste, « %3 » sur cette fiche.\n")
                     .arg(conflit.champ, conflit.autre, conflit.saisie);
    texte += QStringLiteral("Remplacer par ce qui est saisi sur cette fiche ? (Non garde la modification de l'autre"
                            " poste.)");
    return dialogs::message(texte, dialogs::Icon::Question, dialogs::Buttons::YesNo) == dialogs::Answer::Yes;
}

} // namespace

std::optional<FicheEleve> lire(db::Database& base, const QString& cdeEleves)
{
    bool ok = false;
    const qint64 cle = cdeEleves.trimmed().toLongLong(&ok);
    if (!ok)
        return std::nullopt;
    const db::Rows rows = base.query(QStringLiteral("SELECT * FROM Eleves WHERE CdeEleves = ?"), {cle});
    if (rows.empty())
        return std::nullopt;
    const db::Row& r = rows.front();
    FicheEleve fiche{cle,          r[u"CodeEtablissement"], r[u"Classe"], r[u"Nom"],        r[u"Prenom"],
                     r[u"Naissance"], r[u"Regime"],        r[u"INE"],    r[u"NumInterne"], r[u"NomPhoto"]};
    if (fiche.codeCommande.isEmpty())
        fiche.codeCommande = QString::number(cle);
    return fiche;
}

FusionFiche fusionner(const FicheEleve& ouverture, const FicheEleve& saisie, const FicheEleve& actuelle,
                      const std::vector<ConflitFiche>& reponses)
{
    FusionFiche fusion{actuelle, {}};
    for (const Champ& champ : champsModifiables()) {
        const QString& avant = ouverture.*champ.membre;
        const QString& ici = saisie.*champ.membre;
        const QString& ailleurs = actuelle.*champ.membre;
        if (ici == avant || ailleurs == ici)
            continue;
        if (ailleurs == avant) {
            fusion.aEcrire.*champ.membre = ici;
            continue;
        }
        const QString libelle = QString::fromUtf8(champ.libelle);
        const auto reponse = std::find_if(reponses.begin(), reponses.end(), [&](const ConflitFiche& r) {
            return r.champ == libelle && r.autre == ailleurs && r.saisie == ici;
        });
        if (reponse == reponses.end())
            fusion.aTrancher.push_back({libelle, ailleurs, ici});
        else if (reponse->garderSaisie)
            fusion.aEcrire.*champ.membre = ici;
    }
    return fusion;
}

Enregistrement enregistrer(db::Database& base, const FicheEleve& ouverture, const FicheEleve& saisie,
                           std::vector<LigneVente> lignes,
                           const std::function<void(db::Database&)>& dansLeChangement)
{
    std::vector<ConflitFiche> reponses;
    for (;;) {
        std::vector<ConflitFiche> aTrancher;
        {
            db::Database::Transaction transaction(base);
            const std::optional<FicheEleve> actuelle = lire(base, QString::number(ouverture.cdeEleves));
            if (!actuelle)
                return Enregistrement::EleveDisparu;
            FusionFiche fusion = fusionner(ouverture, saisie, *actuelle, reponses);
            if (fusion.aTrancher.empty()) {
                const FicheEleve& fiche = fusion.aEcrire;
                ecrire(base, fiche);
                // The student may have changed class or name since the card opened.
                for (LigneVente& ligne : lignes) {
                    ligne.numEleves = fiche.codeCommande;
                    ligne.classe = fiche.classe;
                    ligne.nom = fiche.nom;
                    ligne.prenom = fiche.prenom;
                    ligne.nomPhoto = fiche.nomPhoto;
                }
                ventes::inserer(base, lignes);
                if (dansLeChangement)
                    dansLeChangement(base);
                transaction.commit();
                return Enregistrement::Enregistre;
            }
            aTrancher = std::move(fusion.aTrancher);
        } // rolled back: the other program may write while the secretary reads the question
        const bool garder = garderSaisie(saisie, aTrancher);
        for (ConflitFiche& conflit : aTrancher) {
            conflit.garderSaisie = garder;
            reponses.push_back(conflit);
        }
    }
}

} // namespace fiche_eleve
