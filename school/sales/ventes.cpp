#include "school/sales/ventes.h"

#include "school/data/requetes.h"
#include "school/sales/montant.h"

#include <algorithm>
#include <utility>

namespace ventes {

namespace {

struct Champ {
    const char* nom;
    QString LigneVente::*membre;
};

// The 23 text fields of Ventes, in the table's order.
const std::vector<Champ>& champs()
{
    static const std::vector<Champ> liste = {
        {"DateCommande", &LigneVente::dateCommande}, {"Num_Eleves", &LigneVente::numEleves},
        {"Classe", &LigneVente::classe}, {"Nom", &LigneVente::nom}, {"Prenom", &LigneVente::prenom},
        {"NomPhoto", &LigneVente::nomPhoto}, {"CdePochette", &LigneVente::cdePochette},
        {"NomPochette", &LigneVente::nomPochette}, {"PochettePrixPro", &LigneVente::pochettePrixPro},
        {"PochettePrixPub", &LigneVente::pochettePrixPub}, {"PochettePrixRecPro", &LigneVente::pochettePrixRecPro},
        {"PochettePrixRecPub", &LigneVente::pochettePrixRecPub}, {"CdeArticles", &LigneVente::cdeArticles},
        {"NomArticles", &LigneVente::nomArticles}, {"ArticlesPrixPro", &LigneVente::typeLigne},
        {"ArticlesPrixPub", &LigneVente::marqueRecommande}, {"ArticlesPrixRecPro", &LigneVente::articlesPrixRecPro},
        {"ArticlesPrixRecPub", &LigneVente::articlesPrixRecPub}, {"PIncompNbArt", &LigneVente::pIncompNbArt},
        {"PIncLibArt", &LigneVente::pIncLibArt}, {"PIncPPho", &LigneVente::pIncPPho},
        {"PincPPub", &LigneVente::pincPPub}, {"Quantite", &LigneVente::quantite},
    };
    return liste;
}

std::vector<LigneVente> lire(db::Database& base, const QString& suite, const db::Params& params = {})
{
    std::vector<LigneVente> lignes;
    for (const db::Row& row : base.query(QStringLiteral("SELECT * FROM Ventes ") + suite, params)) {
        LigneVente ligne;
        ligne.cdeVente = row[u"CdeVente"].toLongLong();
        for (const Champ& champ : champs())
            ligne.*champ.membre = row[QString::fromLatin1(champ.nom)];
        lignes.push_back(std::move(ligne));
    }
    return lignes;
}

bool memeClasse(const QString& a, const QString& b)
{
    return db::compareFrench(a, b) == 0;
}

} // namespace

const std::vector<Colonne>& colonnesGrille()
{
    static const std::vector<Colonne> liste = {
        {"Date", &LigneVente::dateCommande}, {"Nom", &LigneVente::nom}, {"Classe", &LigneVente::classe},
        {"Pochette", &LigneVente::nomPochette}, {"PochettePrixPro", &LigneVente::pochettePrixPro},
        {"PochettePrixPub", &LigneVente::pochettePrixPub}, {"PochettePrixRecPro", &LigneVente::pochettePrixRecPro},
        {"PochettePrixRecPub", &LigneVente::pochettePrixRecPub}, {"Articles", &LigneVente::nomArticles},
        {"ArticlesPrixPro", &LigneVente::typeLigne}, {"ArticlesPrixPub", &LigneVente::marqueRecommande},
        {"ArticlesPrixRecPro", &LigneVente::articlesPrixRecPro},
        {"ArticlesPrixRecPub", &LigneVente::articlesPrixRecPub},
        {"Pochette incomplète", &LigneVente::pIncompNbArt}, {"PIncLibArt", &LigneVente::pIncLibArt},
        {"PIncPPho", &LigneVente::pIncPPho}, {"PincPPub", &LigneVente::pincPPub},
        {"Quantite", &LigneVente::quantite},
    };
    return liste;
}

std::vector<LigneVente> toutes(db::Database& base)
{
    return lire(base, QStringLiteral("ORDER BY CdeVente"));
}

std::vector<LigneVente> duJour(db::Database& base, const QString& date)
{
    return lire(base, QStringLiteral("WHERE COALESCE(DateCommande, '') = ? ORDER BY CdeVente"), {date});
}

std::vector<LigneVente> marquees(db::Database& base)
{
    return lire(base, QStringLiteral("WHERE ArticlesPrixPub = ? ORDER BY CdeVente"), {kMarqueRecommande});
}

std::vector<LigneVente> pourDetail(db::Database& base)
{
    return lire(base, QStringLiteral("ORDER BY Classe COLLATE FR, NomPhoto, NomPochette COLLATE FR DESC, CdeVente"));
}

bool existeEleve(db::Database& base, const QString& numEleves)
{
    return !base.scalar(QStringLiteral("SELECT 1 FROM Ventes WHERE Num_Eleves = ? LIMIT 1"), {numEleves}).isEmpty();
}

QStringList dates(db::Database& base)
{
    return requetes::colonne(
        base, QStringLiteral("SELECT DISTINCT COALESCE(DateCommande, '') AS D FROM Ventes ORDER BY D DESC"));
}

std::vector<EleveCommande> elevesDuJour(db::Database& base, const QString& date)
{
    std::vector<EleveCommande> eleves;
    for (const db::Row& row : base.query(
             QStringLiteral("SELECT Num_Eleves, MIN(Nom) AS Nom, MIN(Prenom) AS Prenom, MIN(Classe) AS Classe"
                            " FROM Ventes WHERE COALESCE(DateCommande, '') = ? GROUP BY Num_Eleves"
                            " ORDER BY Nom COLLATE FR, Prenom COLLATE FR, Classe COLLATE FR, Num_Eleves"),
             {date}))
        eleves.push_back({row[u"Num_Eleves"], row[u"Nom"], row[u"Prenom"], row[u"Classe"]});
    return eleves;
}

int supprimer(db::Database& base, const QString& date, const QString& numEleves)
{
    return base.exec(QStringLiteral("DELETE FROM Ventes WHERE COALESCE(DateCommande, '') = ? AND COALESCE(Num_Eleves, '') = ?"),
                     {date, numEleves});
}

void remplirPrixVides(db::Database& base)
{
    // A database that cannot be written is then only a failure when it matters.
    if (base.scalar(QStringLiteral("SELECT 1 FROM Ventes WHERE COALESCE(PochettePrixPub, '') = ''"
                                   " OR COALESCE(PochettePrixPro, '') = '' LIMIT 1"))
            .isEmpty())
        return;
    db::Database::Transaction transaction(base);
    base.exec(QStringLiteral("UPDATE Ventes SET PochettePrixPub = '0'"
                             " WHERE PochettePrixPub IS NULL OR PochettePrixPub = ''"));
    base.exec(QStringLiteral("UPDATE Ventes SET PochettePrixPro = '0'"
                             " WHERE PochettePrixPro IS NULL OR PochettePrixPro = ''"));
    transaction.commit();
}

void marquer(db::Database& base, const std::vector<LigneVente>& lignes)
{
    db::Database::Transaction transaction(base);
    for (const LigneVente& ligne : lignes) {
        const QString& type = ligne.typeLigne;
        QString marque;
        if (type == type_ligne::PochetteComplete || type == type_ligne::AuChoix)
            marque = kMarqueJamais;
        else if (type == type_ligne::Supplementaires || type == type_ligne::RecommandePochette)
            marque = kMarqueRecommande;
        else
            continue;
        base.exec(QStringLiteral("UPDATE Ventes SET ArticlesPrixPub = ? WHERE CdeVente = ?"),
                  {marque, ligne.cdeVente});
    }
    transaction.commit();
}

void effacerMarques(db::Database& base, const std::vector<LigneVente>& lignes)
{
    db::Database::Transaction transaction(base);
    for (const LigneVente& ligne : lignes)
        base.exec(QStringLiteral("UPDATE Ventes SET ArticlesPrixPub = '' WHERE CdeVente = ? AND ArticlesPrixPub = ?"),
                  {ligne.cdeVente, kMarqueRecommande});
    transaction.commit();
}

void inserer(db::Database& base, const std::vector<LigneVente>& lignes)
{
    QStringList noms;
    for (const Champ& champ : champs())
        noms << QString::fromLatin1(champ.nom);
    const QString sql = QStringLiteral("INSERT INTO Ventes (%1) VALUES (%2)")
                            .arg(noms.join(QStringLiteral(", ")),
                                 QStringList(noms.size(), QStringLiteral("?")).join(QStringLiteral(", ")));
    for (const LigneVente& ligne : lignes) {
        db::Params valeurs;
        for (const Champ& champ : champs())
            valeurs << ligne.*champ.membre;
        base.insert(sql, valeurs);
    }
}

Etablissement etablissement(db::Database& base)
{
    const db::Rows rows = base.query(QStringLiteral("SELECT * FROM Etablissement ORDER BY CdeEtablissement LIMIT 1"));
    if (rows.empty())
        return {};
    const db::Row& r = rows.front();
    return {r[u"Nom"], r[u"Adresse"], r[u"Adresse1"], r[u"Adresse2"],
            r[u"CodePostal"], r[u"Ville"], r[u"Telephone"], r[u"Mail"]};
}

namespace {

// public x quantity and (public - photographer) x quantity, in cents.
Totaux deLaLigne(const LigneVente& ligne)
{
    const montant::Somme pub = montant::centimes(ligne.pochettePrixPub);
    const montant::Somme pro = montant::centimes(ligne.pochettePrixPro);
    const montant::Somme qte = montant::quantite(ligne.quantite);
    return {montant::fois(pub, qte), montant::fois(montant::moins(pub, pro), qte)};
}

} // namespace

Totaux totaux(const std::vector<LigneVente>& lignes)
{
    Totaux somme;
    for (const LigneVente& ligne : lignes) {
        const Totaux t = deLaLigne(ligne);
        somme.total = montant::plus(somme.total, t.total);
        somme.gain = montant::plus(somme.gain, t.gain);
    }
    return somme;
}

std::vector<GainClasse> gainsParClasse(const std::vector<LigneVente>& lignes)
{
    std::vector<GainClasse> gains;
    for (const LigneVente& ligne : lignes) {
        auto classe = std::find_if(gains.begin(), gains.end(),
                                   [&](const GainClasse& g) { return memeClasse(g.classe, ligne.classe); });
        if (classe == gains.end())
            classe = gains.insert(gains.end(), GainClasse{ligne.classe, 0});
        classe->gain = montant::plus(classe->gain, deLaLigne(ligne).gain);
    }
    std::stable_sort(gains.begin(), gains.end(), [](const GainClasse& a, const GainClasse& b) {
        return db::compareFrench(a.classe, b.classe) < 0;
    });
    return gains;
}

} // namespace ventes
