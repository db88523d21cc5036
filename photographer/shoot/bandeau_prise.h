#pragma once

#include <QWidget>

#include <array>

class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;

// The shooting screen's top band: the establishment, the progress of a
// filing, Start/Stop, the hand position ("Main droite en Bas/Haut") and the
// manual-import notice. The screen decides what shows when.
class BandeauPrise : public QWidget {
    Q_OBJECT
public:
    explicit BandeauPrise(QWidget* parent);

    void afficherEtablissement(const QString& nom, const QString& codePostal);
    void avancement(int valeur, bool visible);
    void montrerImportManuel(bool visible);

    // Bt_Start_1.
    QPushButton* stop() const { return Bt_Start_[1]; }
    // OptionMain_0 (right hand down) and OptionMain_1 (right hand up).
    QRadioButton* sens(int index) const { return OptionMain_[std::size_t(index)]; }
    void montrerSens(bool visible);
    void activerSens(bool actif);
    void decocherSens();

Q_SIGNALS:
    void Bt_Start_Click(int index);
    void OptionMain_Click(int index);

private:
    void construireCommandes();
    void construireEtablissement();

    QProgressBar* ProgressBar1_;
    std::array<QPushButton*, 2> Bt_Start_;
    std::array<QRadioButton*, 2> OptionMain_;
    QLabel* LabelNom_;
    QLabel* LabelCP_;
    QLabel* LabelImpotrMan_;
};
