#include "school/sales/fiche_eleve.h"

namespace fiche_eleve {

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

bool enregistrer(db::Database& base, const FicheEleve& fiche, const std::vector<LigneVente>& lignes)
{
    db::Database::Transaction transaction(base);
    const int changees = base.exec(
        QStringLiteral("UPDATE Eleves SET CodeEtablissement = ?, Nom = ?, Prenom = ?, Naissance = ?, Regime = ?,"
                       " INE = ?, NumInterne = ? WHERE CdeEleves = ?"),
        {fiche.codeCommande, fiche.nom, fiche.prenom, fiche.naissance, fiche.regime, fiche.ine,
         fiche.numInterne, fiche.cdeEleves});
    if (changees != 1)
        return false;
    ventes::inserer(base, lignes);
    transaction.commit();
    return true;
}

} // namespace fiche_eleve
