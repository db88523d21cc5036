#include "school/sales/documents_ventes.h"

#include "common/database.h"
#include "common/text.h"
#include "school/class_board/html.h"
#include "school/sales/montant.h"

namespace documents_ventes {

namespace {

QString e(const QString& valeur)
{
    return text::htmlEscape(valeur);
}

QString enTete(const QString& titre, const Entete& entete)
{
    const Etablissement& etab = entete.etablissement;
    return QStringLiteral("<p><b>%1 : %2 %3 %4 - %5 - %6 %7</b>")
        .arg(titre, text::frenchTime(entete.maintenant.time()), text::frenchDate(entete.maintenant.date()),
             e(entete.nomEtab), e(etab.adresse), e(etab.codePostal), e(etab.ville));
}

// The label of a reorder line: the pack's name, or the article's.
QString libelle(const LigneVente& ligne)
{
    if (ligne.typeLigne == type_ligne::AuChoix || ligne.nomPochette.isEmpty())
        return ligne.nomArticles;
    return ligne.nomPochette;
}

QString cellule155(const QString& contenu)
{
    return QStringLiteral("<tr><td width=\"155\">") + contenu + QStringLiteral("</td>");
}

QString cellule530(const QString& contenu)
{
    return QStringLiteral("<td width=\"530\">") + contenu + QStringLiteral("</td>");
}

int compter(const std::vector<LigneVente>& lignes, const std::function<bool(const LigneVente&)>& test)
{
    int nombre = 0;
    for (const LigneVente& ligne : lignes)
        nombre += test(ligne) ? 1 : 0;
    return nombre;
}

bool memeNom(const QString& a, const QString& b)
{
    return !a.isEmpty() && db::compareFrench(a, b) == 0;
}

} // namespace

QStringList bordereau(const Entete& entete, const std::vector<LigneVente>& lignes, const CheminPhoto& photo)
{
    QStringList l{html::ouverture(QStringLiteral("Bordereau recommande")) + QStringLiteral("</HEAD>"), QStringLiteral("<BODY>"),
                  enTete(QStringLiteral("Bordereau imprimé le"), entete),
                  QStringLiteral("<p><CENTER><b>A RETOURNER PAR MAIL (CREATION PDF NECESSAIRE) OU PAR COURRIER A "
                                 "VOTRE PHOTOGRAPHE</b></CENTER>")};
    QString photoGroupe, typeGroupe;
    bool premier = true;
    for (const LigneVente& ligne : lignes) {
        if (premier || ligne.nomPhoto != photoGroupe || ligne.typeLigne != typeGroupe) {
            premier = false;
            photoGroupe = ligne.nomPhoto;
            typeGroupe = ligne.typeLigne;
            l << QStringLiteral("<p><p><table width=\"800\">")
              << QStringLiteral("<td width=\"800\" bgcolor=\"#CCCCCC\"><hr><br>")
              << QStringLiteral("<center><b>") + e(ligne.typeLigne) + QStringLiteral("</b></center></td></tr></table>")
              << QStringLiteral("<tr><td></td></center></td></tr></table>") << QStringLiteral("<table>")
              << QStringLiteral("<tr><td width=\"168\"><center><img src=\"%1\" width=\"95\" height=\"143\"><br>%2</td>"
                                "<td width=\"637\"  valign=\"bottom\">%3 %4 Quantité = %5</td></tr>")
                     .arg(e(photo(ligne)), e(ligne.nomPhoto), e(ligne.cdePochette), e(libelle(ligne)),
                          e(ligne.quantite));
        } else if (!ligne.quantite.isEmpty()) {
            l << QStringLiteral("<tr><td width=\"168\"></td><td width=\"637\">%1 Quantité = %2</td></tr>")
                     .arg(e(libelle(ligne)), e(ligne.quantite));
        }
    }
    l << QStringLiteral("</table><table width=\"800\"><tr><td><div align=\"right\"><hr><br>Date, signature et "
                        "cachet du responsable :</div></td></tr></table>");
    return l;
}

QString texteDetail(const LigneVente& ligne)
{
    if (ligne.nomPochette.isEmpty())
        return ligne.nomArticles;
    const QString& type = ligne.typeLigne;
    const QString& prix = ligne.pochettePrixPub;
    // A stored price that breaks the price rule is said, never billed as
    // the number it starts with.
    const QString refus = QStringLiteral("prix refusé « ") + prix + QStringLiteral(" »");
    const bool lu = montant::centimes(prix).has_value();
    if (type == type_ligne::PochetteComplete)
        return QStringLiteral("Commande %1 : %2")
            .arg(ligne.nomPochette, lu ? text::priceText(prix) + QStringLiteral(" €") : refus);
    if (type == type_ligne::AuChoix)
        return QStringLiteral("Je conserve au choix dans la pochette : %1")
            .arg(lu ? text::priceText(prix) + QStringLiteral(" €") : refus);
    if (type == type_ligne::RecommandePochette || type == type_ligne::Supplementaires) {
        const montant::Somme somme = montant::fois(montant::centimes(prix), montant::quantite(ligne.quantite));
        // An amount that cannot be computed carries no currency.
        return QStringLiteral("Recommande %1 Quantité : %2 = %3")
            .arg(ligne.nomPochette, ligne.quantite,
                 !lu ? refus : somme ? montant::simple(somme) + QStringLiteral(" €") : montant::kIncalculable);
    }
    return {};
}

QStringList detail(const Entete& entete, const std::vector<LigneVente>& lignes)
{
    QStringList l{html::ouverture(QStringLiteral("DETAIL DES VENTES")) + QStringLiteral("</HEAD>"), QStringLiteral("<BODY>"),
                  enTete(QStringLiteral("DETAIL DES VENTES LE"), entete), QStringLiteral("<p><p><table width=\"800\">")};
    QString classe;
    for (const LigneVente& ligne : lignes) {
        if (ligne.classe != classe) {
            classe = ligne.classe;
            l << QStringLiteral("<td width=\"800\" bgcolor=\"#CCCCCC\"><hr><br>")
              << QStringLiteral("<center><b>") + e(classe) + QStringLiteral("</b></center></td></tr></table>");
        }
        l << QStringLiteral("<tr><td width=\"800\">%1 %2 : %3<br></td></tr>")
                 .arg(e(ligne.nom), e(ligne.prenom), e(texteDetail(ligne)));
    }
    return l;
}

QStringList recapitulatif(const Etablissement& etab, const QDate& jour, const std::vector<LigneVente>& lignes,
                          const std::vector<Tarif>& tarifs, const Totaux& totaux)
{
    const QString date = text::frenchDate(jour);
    const QString vide = QStringLiteral("<td width=\"103\">&nbsp;</td>");
    QStringList l{html::ouverture(etab.nom + u' ' + date) + QStringLiteral("</HEAD>"),
                  QStringLiteral("<BODY>"), QStringLiteral("<table width=\"800\"border=\"0\">"),
                  QStringLiteral("<tr><td>"), QStringLiteral("<b>") + e(etab.nom) + QStringLiteral("</b><br>"),
                  e(etab.adresse) + QStringLiteral("<br>"), e(etab.adresse1) + QStringLiteral("<br>"),
                  e(etab.adresse2) + QStringLiteral("<br>"),
                  e(etab.codePostal) + u' ' + e(etab.ville) + QStringLiteral("<br>"),
                  e(etab.telephone) + QStringLiteral("<br>"), QStringLiteral("mailto:") + e(etab.mail),
                  QStringLiteral("<p align=\"center\"><b> RECAPITULATIF DES VENTES AU : %1</b></p>").arg(date),
                  QStringLiteral("<table width=\"810\"border=\"1\">"), cellule155(QStringLiteral("<b>&nbsp;</b>")),
                  cellule530(QStringLiteral("&nbsp;")), QStringLiteral("<td width=\"103\"><b>Photographe</b></td>"),
                  QStringLiteral("<td width=\"103\"><b>Etablissement</b></td></tr>")};
    const int pochettes = compter(lignes, [](const LigneVente& v) {
        return v.typeLigne == type_ligne::PochetteComplete || v.typeLigne == type_ligne::RecommandePochette;
    });
    const QString reference = tarifs.empty() ? QString() : tarifs.front().cdePochette;
    l << cellule155(e(reference)) << cellule530(QStringLiteral("<b>Pochettes Complètes : %1</b>").arg(QString::number(pochettes)))
      << vide << vide + QStringLiteral("</tr>");
    for (const Tarif& tarif : tarifs) {
        const int nombre = compter(lignes, [&](const LigneVente& v) { return memeNom(tarif.nomArticles, v.nomPochette); })
                         + compter(lignes, [&](const LigneVente& v) { return memeNom(tarif.nomArticles, v.nomArticles); });
        l << cellule155(QStringLiteral("&nbsp;"))
          << cellule530(QStringLiteral("<b>%1 : %2</b>").arg(e(tarif.nomArticles), QString::number(nombre))) << vide
          << vide + QStringLiteral("</tr>");
    }
    l << cellule155(QStringLiteral("&nbsp;"))
      << cellule530(QStringLiteral("<div align=\"right\"><b>TOTAL</b></div>"))
      << QStringLiteral("<td width=\"103\"><center><b>%1</b></center></td>")
             .arg(montant::total(montant::moins(totaux.total, totaux.gain)))
      << QStringLiteral("<td width=\"103\"><center><b>%1</b></center></td></tr></table></table></body></html>")
             .arg(montant::total(totaux.gain));
    return l;
}

} // namespace documents_ventes
