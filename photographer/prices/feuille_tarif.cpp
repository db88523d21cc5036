#include "photographer/prices/feuille_tarif.h"

#include "common/paths.h"
#include "common/report.h"
#include "common/shell.h"
#include "common/text.h"
#include "common/wallclock.h"

namespace feuille_tarif {

namespace {

const QString kBandeau = QStringLiteral("<td width=\"800\" bgcolor=\"#CCCCCC\">");

QString e(const QString& valeur)
{
    return text::htmlEscape(valeur);
}

// A price as both programs write it, or said refused: a price that breaks
// the rule is never printed as an amount the school would read otherwise.
QString prix(const QString& valeur)
{
    if (!text::priceCents(valeur))
        return QStringLiteral("prix refusé ") + e(text::priceRefusal(valeur));
    return e(text::priceText(valeur)) + QStringLiteral(" €");
}

} // namespace

QStringList lignes(const Feuille& feuille, const QDateTime& quand)
{
    QStringList html{
        QStringLiteral("<HTML><HEAD><TITLE>Tarif revente établissement</TITLE></HEAD>"),
        QStringLiteral("<BODY>"),
        QStringLiteral("<p><b>Tarif revente établissement ") + text::frenchTime(quand.time()) + u' '
            + text::frenchDate(quand.date()) + u' ' + e(feuille.etablissement) + QStringLiteral("</b>"),
        QStringLiteral("<table width=\"800\">"),
        QStringLiteral("<tr>"),
        kBandeau,
        QStringLiteral("<center><b>Pochette compl&egrave;te</b></center></td></tr>"),
        QStringLiteral("<tr><td></td></center></td></tr>"),
        QStringLiteral("<table width=\"800\"border = \"0\">"),
        QStringLiteral("<tr><td width=\"200\">Pochette : ") + e(feuille.pochette.nom) + QStringLiteral("<p></td>"),
        QStringLiteral("<td width=\"300\">Prix de vente établissement : ") + prix(feuille.pochette.vente)
            + QStringLiteral("<p></td>"),
        QStringLiteral("<td width=\"300\">Prix vente recommande établissement : ") + prix(feuille.pochette.recommande)
            + QStringLiteral("<p></td></tr></table>"),
        QStringLiteral("<table width=\"800\">"),
        QStringLiteral("<tr>"),
        kBandeau,
        QStringLiteral("<center><b>Contenu de la pochette</b></center></td></tr></table><table>"),
    };
    for (const Ligne& article : feuille.articles) {
        html << QStringLiteral("<tr><td width=\"200\">") + e(article.nom) + QStringLiteral("</td>")
             << QStringLiteral("<td width=\"300\">Prix de vente établissement : ") + prix(article.vente)
                    + QStringLiteral("</td>")
             << QStringLiteral("<td>Prix vente recommande établissement : ") + prix(article.recommande)
                    + QStringLiteral("</td></tr>");
    }
    html << QStringLiteral("</table><table width=\"800\">") << QStringLiteral("<tr>") << kBandeau
         << QStringLiteral("<center><b>Pochette Incomplete</b></center></td></tr></table><table>");
    for (const Ligne& incomplete : feuille.incompletes) {
        html << QStringLiteral("<tr><td width=\"200\">") + e(incomplete.nom) + QStringLiteral("</td>")
             << QStringLiteral("<td width=\"300\">Prix de vente établissement : ") + prix(incomplete.vente)
                    + QStringLiteral("</td>");
    }
    html << QStringLiteral("</tr></table></body><html>");
    return html;
}

QString chemin()
{
    return paths::join(paths::dataDir(), {QStringLiteral("fileTarif.html")});
}

Issue ecrireEtImprimer(const Feuille& feuille)
{
    const QString fichier = chemin();
    const QString erreur =
        text::writeLines(fichier, lignes(feuille, wallclock::now()), text::Unmappable::HtmlEntity);
    if (!erreur.isEmpty()) {
        report::detail(erreur);
        return Issue::NonEcrite;
    }
    return shell::service().print(fichier, kPointsImprimes) ? Issue::Imprimee : Issue::NonImprimee;
}

} // namespace feuille_tarif
