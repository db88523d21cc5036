#pragma once

#include "common/ui/form.h"

#include <QStringList>

class QFileSystemModel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeView;

// The rules of the watched folder, apart from the form that asks for it.
namespace dossier_hot {

// "" when folder can receive the camera's pictures, else the French reason
// for refusing it. dossiersProteges are the data and archive folders: the
// purge of the watched folder must never reach them.
[[nodiscard]] QString refus(const QString& folder, const QStringList& dossiersProteges);

// The files of a folder that count against it: every file but hidden ones.
QStringList fichiers(const QString& folder);

// The value kept for a chosen folder: its path with one trailing separator.
QString valeur(const QString& folder);

} // namespace dossier_hot

// "Dossier de réception des photos...": the choice of the watched folder.
class HotFolder : public Form {
    Q_OBJECT
public:
    HotFolder();

protected:
    void onLoad() override;

private:
    void Bt_Parcourir_Click();
    void Dir1_Change(const QString& folder);
    void bt_ok_Click();
    void Bt_Annuler_Click();
    void montrerFichiers(const QString& folder);

    QLineEdit* Text1_;
    QPushButton* Bt_Parcourir_;
    QTreeView* Dir1_;
    QFileSystemModel* dossiers_;
    QListWidget* File1_;
    QPushButton* bt_ok_;
    QPushButton* Bt_Annuler_;
    bool suivreCourant_ = false; // Dir1 keeps its current folder in view while it is listed
};
