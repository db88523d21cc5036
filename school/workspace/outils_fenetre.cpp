#include "school/workspace/outils_fenetre.h"

#include "common/layout.h"

#include <QFrame>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QScreen>
#include <QPainter>

void ImageCliquable::mouseReleaseEvent(QMouseEvent* event)
{
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Q_EMIT clique();
}

void centrerSurEcran(QWidget& fenetre)
{
    const QScreen* ecran = fenetre.screen() ? fenetre.screen() : QGuiApplication::primaryScreen();
    if (!ecran)
        return;
    const QRect zone = ecran->availableGeometry();
    const QSize taille = fenetre.frameGeometry().size();
    fenetre.move(zone.left() + (zone.width() - taille.width()) / 2,
                 zone.top() + (zone.height() - taille.height()) / 2);
}

QFrame* creerForme(QWidget* parent, const QString& nom, unsigned couleurBgr)
{
    auto* forme = new QFrame(parent);
    forme->setObjectName(nom);
    forme->setStyleSheet(QStringLiteral("QFrame#%1 { background: %2; border: 1px solid white;"
                                        " border-radius: 10px; }")
                             .arg(nom, QColor(layout::bgr(couleurBgr)).name()));
    return forme;
}

namespace dessins {

namespace {
QPixmap toile(int cote)
{
    QPixmap pixmap(cote, cote);
    pixmap.fill(Qt::transparent);
    return pixmap;
}
} // namespace

QPixmap croixRetrait(int cote)
{
    QPixmap pixmap = toile(cote);
    QPainter peintre(&pixmap);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setBrush(QColor(200, 30, 30));
    peintre.setPen(Qt::NoPen);
    peintre.drawEllipse(0, 0, cote - 1, cote - 1);
    peintre.setPen(QPen(Qt::white, qMax(1, cote / 6)));
    const int marge = cote / 4;
    peintre.drawLine(marge, marge, cote - 1 - marge, cote - 1 - marge);
    peintre.drawLine(marge, cote - 1 - marge, cote - 1 - marge, marge);
    return pixmap;
}

QPixmap etape(int numero, int cote)
{
    QPixmap pixmap = toile(cote);
    QPainter peintre(&pixmap);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setBrush(QColor(0x3A, 0x7B, 0xD5));
    peintre.setPen(Qt::NoPen);
    peintre.drawEllipse(1, 1, cote - 2, cote - 2);
    QFont police(QStringLiteral("Verdana"));
    police.setBold(true);
    police.setPixelSize(cote * 3 / 5);
    peintre.setFont(police);
    peintre.setPen(Qt::white);
    peintre.drawText(pixmap.rect(), Qt::AlignCenter, QString::number(numero));
    return pixmap;
}

QPixmap logo(int cote)
{
    QPixmap pixmap = toile(cote);
    QPainter peintre(&pixmap);
    peintre.setRenderHint(QPainter::Antialiasing);
    peintre.setBrush(QColor(0xFB, 0xC0, 0x8C));
    peintre.setPen(QPen(QColor(0x40, 0x40, 0x40), 2));
    peintre.drawRoundedRect(QRectF(2, 2, cote - 4, cote - 4), cote / 8.0, cote / 8.0);
    QFont police(QStringLiteral("Verdana"));
    police.setBold(true);
    police.setPixelSize(cote / 2);
    peintre.setFont(police);
    peintre.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("V"));
    return pixmap;
}

} // namespace dessins
