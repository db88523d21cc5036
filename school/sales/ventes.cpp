#include "school/sales/ventes.h"

#include "common/text.h"
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

std::vector<EleveCommande> eleves(const std::vector<LigneVente>& lignes)
{
    std::vector<EleveCommande> liste;
    for (const LigneVente& ligne : lignes) {
        auto eleve = std::find_if(liste.begin(), liste.end(),
                                  [&](const EleveCommande& e) { return e.numEleves == ligne.numEleves; });
        if (eleve == liste.end()) {
            liste.push_back({ligne.numEleves, ligne.nom, ligne.prenom, ligne.classe, {}});
            eleve = liste.end() - 1;
        }
        // One name for the code whatever order the lines come in.
        eleve->nom = std::min(eleve->nom, ligne.nom);
        eleve->prenom = std::min(eleve->prenom, ligne.prenom);
        eleve->classe = std::min(eleve->classe, ligne.classe);
        eleve->cles.push_back(ligne.cdeVente);
    }
    std::stable_sort(liste.begin(), liste.end(), [](const EleveCommande& a, const EleveCommande& b) {
        for (const auto champ : {&EleveCommande::nom, &EleveCommande::prenom, &EleveCommande::classe})
            if (const int ordre = db::compareFrench(a.*champ, b.*champ))
                return ordre < 0;
        return a.numEleves < b.numEleves;
    });
    return liste;
}

int supprimer(db::Database& base, const std::vector<qint64>& cles)
{
    db::Database::Transaction transaction(base);
    int supprimees = 0;
    for (const qint64 cle : cles)
        supprimees += base.exec(QStringLiteral("DELETE FROM Ventes WHERE CdeVente = ?"), {cle});
    transaction.commit();
    return supprimees;
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

QString prixRefuses(const std::vector<LigneVente>& lignes)
{
    for (const LigneVente& ligne : lignes) {
        for (const QString& prix : {ligne.pochettePrixPub, ligne.pochettePrixPro}) {
            if (montant::centimes(prix))
                continue;
            return QStringLiteral("La commande de %1 %2 (%3) du %4 porte un prix refusé : %5\n"
                                  "Les totaux qu'elle touche sont « %6 ».")
                .arg(ligne.nom, ligne.prenom, ligne.classe, ligne.dateCommande, text::priceRefusal(prix),
                     montant::kIncalculable);
        }
    }
    return {};
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
