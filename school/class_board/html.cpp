#include "school/class_board/html.h"

#include "common/text.h"
#include "school/class_board/geometrie.h"
#include "school/data/procedures.h"

namespace html {

namespace {

QString e(const QString& valeur)
{
    return text::htmlEscape(valeur);
}

} // namespace

QString ouverture(const QString& titre)
{
    return QStringLiteral("<HTML><HEAD><TITLE>") + e(titre) + QStringLiteral("</TITLE>");
}

namespace {

const QString kFinLigne = QStringLiteral("</TR><TR>");
const QString kFinDocument = QStringLiteral("</TR></TABLE></BODY></HTML>");

QString enteteSimple(const QString& titre)
{
    return ouverture(titre) + QStringLiteral("</HEAD>\r\n<BODY>\r\n");
}

// The head of the card and label documents; the line break after the style
// tag is LF CR, as these documents have always carried it.
QString styles(bool avecCadreDroite)
{
    QString s = QStringLiteral(
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"><style type=\"text/css\">\n\r"
        ".CadreGauche { border-color: #333399; border-style: solid; border-top-width: 1px; border-right-width: 0px; "
        "border-bottom-width: 1px; border-left-width: 1px } ");
    if (avecCadreDroite)
        s += QStringLiteral(".CadreDroite { border-color: #333399; border-style: solid; border-top-width: 1px; "
                            "border-right-width: 1px; border-bottom-width: 1px; border-left-width: 0px } ");
    s += QStringLiteral("BR.page { page-break-after: always } </style></HEAD>\r\n<BODY>\r\n");
    return s;
}

// The text under the picture of the cell of this index.
QString texteCellule(const Entree& entree, int index, Forme forme)
{
    if (forme == Forme::ClasseApresSuppression) {
        constexpr int kDebutNomMaigre = 4 * geometrie::kCellulesParLigneDocument;
        if (index >= kDebutNomMaigre)
            return e(entree.prenom) + QStringLiteral("<br>") + e(entree.nom) +
                   QStringLiteral("<br></B></font></center></TD>");
        QString t = index == 0 ? e(entree.classe) + QStringLiteral("<br>") : QString();
        return t + e(entree.prenom) + QStringLiteral("<br><B>") + e(entree.nom) +
               QStringLiteral("</B></font></center></TD>");
    }
    // A class board as first built bolds in upper case only its first cell;
    // the other forms bold every cell so.
    const bool grandGras = index == 0 || forme != Forme::Classe;
    QString t = forme == Forme::Groupe ? e(entree.classe) + QStringLiteral("<br>") : QString();
    t += e(entree.prenom);
    t += grandGras ? QStringLiteral("<br><B>") : QStringLiteral("<br><b>");
    t += e(entree.nom);
    t += grandGras ? QStringLiteral("</B></font></center></TD>") : QStringLiteral("</b></font></center></TD>");
    return t;
}

QString cellulePlanche(const Entree& entree, int index, Forme forme)
{
    QString c = index == 0 ? QStringLiteral("<TR><td align=") : QStringLiteral("<td align=");
    c += QStringLiteral("\"left\"valign=\"top\"width=\"116\"><img src=\"") + e(entree.photo) +
         QStringLiteral("\"width=\"116\"height=\"176\"><font size=\"-1\"><br><center>");
    return c + texteCellule(entree, index, forme);
}

} // namespace

QStringList planche(const Entete& entete, const std::vector<Entree>& entrees, Forme forme)
{
    QStringList lignes;
    lignes << enteteSimple(entete.etablissement);
    lignes << QStringLiteral("<B>") + e(entete.type) + (forme == Forme::Classe ? QStringLiteral("<P>") : QStringLiteral("<br>")) +
                  e(entete.nom) + QStringLiteral("</B><P><TABLE>");
    return lignes + cellules(entrees, forme);
}

QStringList cellules(const std::vector<Entree>& entrees, Forme forme)
{
    QStringList lignes;
    for (int i = 0; i < int(entrees.size()); ++i) {
        if (geometrie::ouvertureDocument(i) == geometrie::Ouverture::Ligne)
            lignes << kFinLigne;
        lignes << cellulePlanche(entrees[i], i, forme);
    }
    return lignes;
}

QStringList cartes(const Entete& entete, const std::vector<Entree>& entrees)
{
    QStringList lignes;
    lignes << ouverture(entete.etablissement);
    lignes << styles(true);
    lignes << QStringLiteral("<B>") + e(entete.type) + QStringLiteral(" ") + e(entete.nom) +
                  QStringLiteral("</B><P><TABLE width=\"650\">");
    if (entrees.empty())
        return lignes;

    // Values are joined, never substituted into a pattern: a name may hold "%1".
    const QString debutTexte = QStringLiteral("<td class=\"CadreDroite\" width=\"175\"><b><font size=\"2\"><b>") +
                               e(entete.etablissement) + QStringLiteral("<br>") + e(entete.nom) +
                               QStringLiteral("</b><p><b>Nom : ");
    for (int i = 0; i < int(entrees.size()); ++i) {
        const Entree& entree = entrees[i];
        const QString photo = e(entree.photo);
        const QString texte = debutTexte + e(entree.nom) +
                                      QStringLiteral("</font></b><br><font size=\"2\"><b>Prénom : ") + e(entree.prenom) +
                                      QStringLiteral("</b><p>Date de naissance : <br>Régime : <br>N° INE : </font></TD>");
        if (i > 0 && i % 12 == 0)
            lignes << QStringLiteral("</TABLE><BR class=page><TABLE width=\"650\">");
        if (EstPair(i)) {
            lignes << QStringLiteral("<TR><td class=\"CadreGauche\" width=\"117\" valign=\"top\"><br>&nbsp;&nbsp;"
                                     "<img src=\"") + photo + QStringLiteral("\"width=\"95\"><br>&nbsp;</td>");
            lignes << texte;
        } else {
            lignes << QStringLiteral("<td class=\"CadreGauche\" width=\"117\" valign=\"top\"><br>&nbsp;&nbsp;"
                                     "<img src=\"") + photo + QStringLiteral("\"width=\"95\"></td>");
            lignes << texte + QStringLiteral("</tr>");
        }
    }
    lignes << kFinDocument;
    return lignes;
}

QStringList etiquettes(const Entete& entete, const std::vector<Entree>& entrees)
{
    QStringList lignes;
    lignes << ouverture(entete.etablissement + QStringLiteral(" - ") + entete.nom);
    lignes << styles(false);
    lignes << QStringLiteral("<TABLE width=\"650\">");
    if (entrees.empty())
        return lignes;

    for (int i = 0; i < int(entrees.size()); ++i) {
        const QString etiquette = QStringLiteral("<td class=\"CadreGauche\" width=\"169\" valign=\"top\"><img src=\"") +
                                  e(entrees[i].photo) + QStringLiteral("\"width=\"167\"></td>");
        if (i == 0)
            lignes << QStringLiteral("<TR>") + etiquette;
        else if (i >= 5 && (i - 5) % 6 == 0)
            lignes << QStringLiteral("</tr><tr>") + etiquette;
        else
            lignes << etiquette;
    }
    lignes << kFinDocument;
    return lignes;
}

QString ecrire(const QString& chemin, const QStringList& lignes)
{
    return text::writeLines(chemin, lignes, text::Unmappable::HtmlEntity);
}

} // namespace html
