#pragma once

#include <QTableWidget>

// The main window's list of establishments (DBGridEtab): key, name, postal
// code. The current row is the establishment in use; the name and the
// postal code are edited in place, a new name only once the rename warning
// was answered OK.
class GrilleEtablissements : public QTableWidget {
    Q_OBJECT
public:
    explicit GrilleEtablissements(QWidget* parent);

    // Reads the list again; the current establishment keeps its row when it still exists.
    void rafraichir();
    // The rename command: the warning, then the name's editor.
    void modifierNom();

Q_SIGNALS:
    void relue(int nombre);

private:
    void DBGridEtab_RowColChange();
    // A cell was edited: the name renames (once the warning was answered OK; `confirme`
    // when the rename command's was), the postal code is stored.
    void DBGridEtab_AfterColUpdate(const QString& code, int colonne, const QString& texte, bool confirme);

    bool renommageConfirme_ = false; // the rename command's warning was answered OK for the edit under way
};
