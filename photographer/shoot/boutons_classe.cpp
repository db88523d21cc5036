#include "photographer/shoot/boutons_classe.h"

#include "common/ui/layout.h"

#include <QPushButton>

std::vector<QRect> placerBoutonsClasse(const QStringList& classes)
{
    // An empty class name still gets a button that can be clicked.
    auto largeur = [](const QString& classe) { return classe.isEmpty() ? 400 : int(classe.size()) * 200; };
    std::vector<QRect> places;
    int x = 120, y = 1000, w = 0;
    for (int i = 0; i < classes.size(); ++i) {
        if (i > 0)
            x += w + 200;
        w = largeur(classes[i]);
        places.emplace_back(x, y, w, 495);
        if (i > 0 && x >= 10000) {
            y += 550;
            x = -90;
            w = 0;
        }
    }
    return places;
}

BoutonsClasse::BoutonsClasse(QWidget* cadre) : QObject(cadre), cadre_(cadre) {}

QPushButton* BoutonsClasse::creer(int index)
{
    auto* b = Bt_Classe_.append(new QPushButton(cadre_), QStringLiteral("Bt_Classe"));
    layout::setBackground(b, 0xE1E1E1);
    b->setFont(layout::font(QStringLiteral("Verdana"), 9.75, true));
    connect(b, &QPushButton::clicked, this, [this, index] { Q_EMIT choisie(index); });
    return b;
}

QSize BoutonsClasse::afficher(const QStringList& classes)
{
    retirer();
    const std::vector<QRect> places = placerBoutonsClasse(classes);
    QSize etendue;
    for (int i = 0; i < classes.size(); ++i) {
        QPushButton* b = i < Bt_Classe_.size() ? Bt_Classe_[i] : creer(i);
        // A class named "A&B" shows its ampersand, not a shortcut.
        b->setText(layout::buttonCaption(classes[i]));
        const QRect& r = places[std::size_t(i)];
        layout::place(b, r.x(), r.y(), r.width(), r.height());
        b->show();
        b->raise();
        etendue = etendue.expandedTo(QSize(r.right() + 100, r.bottom() + 100));
    }
    return etendue;
}

void BoutonsClasse::retirer()
{
    Bt_Classe_.clear();
}
