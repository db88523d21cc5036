#include "school/printing/recueils.h"

#include "common/text.h"
#include "school/class_board/geometrie.h"

namespace recueils {

namespace {

QString e(const QString& valeur)
{
    return text::htmlEscape(valeur);
}

QString titre(const QString& etablissement)
{
    return html::ouverture(etablissement) + QStringLiteral("</HEAD>\r\n<BODY>");
}

const QString kColonneVide = QStringLiteral("<td width=\"182\">&nbsp;</td>");

QString ligneEleve(const html::Entree& entree)
{
    return QStringLiteral("<TR><td align=\"left\"valign=\"top\"width=\"116\"><img src=\"") + e(entree.photo) +
           QStringLiteral("\"width=\"116\"height=\"176\"><font size=\"-1\"><br><center>") + e(entree.prenom) +
           QStringLiteral("<br><B>") + e(entree.nom) + QStringLiteral("</B></font></center></TD>") + kColonneVide +
           kColonneVide + kColonneVide;
}

} // namespace

QStringList tousLesTableaux(const QString& etablissement, const QString& type, const std::vector<Page>& pages)
{
    QStringList lignes{titre(etablissement)};
    for (const Page& page : pages) {
        // A break after the last page would print a blank sheet.
        if (&page != &pages.front())
            lignes << QStringLiteral("<p style=\"page-break-before: always;\">");
        lignes << QStringLiteral("<p><B>") + e(type) + QStringLiteral(" : ") + e(page.nom) +
                      QStringLiteral("</B><br><TABLE>");
        lignes << html::cellules(page.entrees, html::Forme::Classe);
        lignes << QStringLiteral("</TR></TABLE>");
    }
    return lignes;
}

QStringList ficheTrimestrielle(const html::Entete& entete, const std::vector<html::Entree>& entrees)
{
    QStringList lignes{titre(entete.etablissement) + QStringLiteral("\r\n")};
    lignes << QStringLiteral("<B>Feuille Trimestrielle<br>") + e(entete.type) + QStringLiteral(" ") + e(entete.nom) +
                  QStringLiteral("</B><br><TABLE width= 750  border= 1 >");
    lignes << QStringLiteral("<TR><td align=\"left\"valign=\"top\"width=\"116\">&nbsp;</TD>"
                             "<td width=\"182\">Trimestre 1</td><td width=\"182\">Trimestre 2</td>"
                             "<td width=\"182\">Trimestre 3</td>");
    for (int i = 0; i < int(entrees.size()); ++i) {
        if (i > 0 && i % geometrie::kCellulesParLigneDocument == 0)
            lignes << QStringLiteral("</TR><TR>");
        lignes << ligneEleve(entrees[i]);
    }
    lignes << QStringLiteral("</TR></TABLE>");
    return lignes;
}

} // namespace recueils
