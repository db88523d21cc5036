#include "photographer/workspace/grille_etablissements.h"

#include "common/database.h"
#include "common/dialogs.h"
#include "common/report.h"
#include "common/text.h"
#include "common/ui/layout.h"
#include "photographer/data/etablissements.h"
#include "photographer/data/etat.h"

#include <QHeaderView>
#include <QSignalBlocker>

#include <utility>

namespace {

bool renommageConfirme()
{
    return dialogs::message(QStringLiteral("Attention : modifier le nom de l'établissement est irréversible et peut "
                                           "altérer le bon fonctionnement du programme"),
                            dialogs::Icon::Critical, dialogs::Buttons::OkCancel)
           == dialogs::Answer::Ok;
}

} // namespace

GrilleEtablissements::GrilleEtablissements(QWidget* parent) : QTableWidget(parent)
{
    setObjectName(QStringLiteral("DBGridEtab"));
    setColumnCount(3);
    setHorizontalHeaderLabels(
        {QStringLiteral("CdeEtablissement"), QStringLiteral("Etablissements"), QStringLiteral("Code Postal")});
    // A double click opens the establishment, so a cell is edited by typing
    // into it, by F2 or through the rename command.
    setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    verticalHeader()->setFixedWidth(layout::px(255));
    verticalHeader()->setDefaultSectionSize(layout::px(255));
    horizontalHeader()->setStretchLastSection(true);
    setColumnWidth(0, layout::px(2160));
    setColumnWidth(1, layout::px(5400));
    connect(this, &QTableWidget::currentCellChanged, this, &GrilleEtablissements::DBGridEtab_RowColChange);
    connect(this, &QTableWidget::itemChanged, this, [this](QTableWidgetItem* cellule) {
        // The editor is still closing: the change is stored once it has gone,
        // so that a refusal's message box cannot commit it a second time.
        const QString code = item(cellule->row(), 0)->text();
        const bool confirme = std::exchange(renommageConfirme_, false);
        QMetaObject::invokeMethod(
            this, [this, code, colonne = cellule->column(), texte = text::composed(cellule->text()), confirme] {
                DBGridEtab_AfterColUpdate(code, colonne, texte, confirme);
            },
            Qt::QueuedConnection);
    });
    // The rename command's OK covers the one edit it opened, even when left unchanged.
    connect(itemDelegate(), &QAbstractItemDelegate::closeEditor, this, [this] { renommageConfirme_ = false; });
}

void GrilleEtablissements::rafraichir()
{
    std::vector<etablissements::Etablissement> liste;
    try {
        liste = etablissements::liste();
    } catch (const db::Error& erreur) {
        report::failure(erreur);
    }
    const int nombre = int(liste.size());
    {
        const QSignalBlocker bloque(this);
        clearContents();
        setRowCount(nombre);
        int courante = 0;
        for (int ligne = 0; ligne < nombre; ++ligne) {
            const auto& etablissement = liste[size_t(ligne)];
            setVerticalHeaderItem(ligne, new QTableWidgetItem(QString()));
            auto* cle = new QTableWidgetItem(etablissement.code);
            cle->setFlags(cle->flags() & ~Qt::ItemIsEditable);
            setItem(ligne, 0, cle);
            setItem(ligne, 1, new QTableWidgetItem(etablissement.nom));
            setItem(ligne, 2, new QTableWidgetItem(etablissement.codePostal));
            if (etablissement.code == etat::CodeEtabEnCours)
                courante = ligne;
        }
        if (nombre > 0)
            setCurrentCell(courante, qMax(0, currentColumn()));
    }
    DBGridEtab_RowColChange();
    Q_EMIT relue(nombre);
}

void GrilleEtablissements::DBGridEtab_RowColChange()
{
    const int ligne = currentRow();
    const bool valide = ligne >= 0 && ligne < rowCount() && item(ligne, 0);
    etat::CodeEtabEnCours = valide ? item(ligne, 0)->text() : QString();
    etat::NomEtabEnCours = valide ? item(ligne, 1)->text() : QString();
}

void GrilleEtablissements::modifierNom()
{
    const int ligne = currentRow();
    if (!renommageConfirme() || ligne < 0)
        return;
    renommageConfirme_ = true;
    setCurrentCell(ligne, 1);
    setFocus();
    editItem(item(ligne, 1));
}

void GrilleEtablissements::DBGridEtab_AfterColUpdate(const QString& code, int colonne, const QString& texte,
                                                     bool confirme)
{
    if (colonne == 1) {
        // A stray key opens the name's editor: a new name is stored only once
        // the warning of the rename command was answered OK.
        const QString refus =
            confirme || renommageConfirme() ? etablissements::renommer(code, texte) : QString();
        if (!refus.isEmpty())
            dialogs::message(refus, dialogs::Icon::Critical);
    } else if (colonne == 2) {
        try {
            etablissements::changerCodePostal(code, texte);
        } catch (const db::Error& erreur) {
            report::failure(erreur);
        }
    }
    // A refused or cancelled change shows the stored value again.
    rafraichir();
}
