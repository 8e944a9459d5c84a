#include "platform/Icons.h"

#include <QApplication>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <map>

namespace {

// An icon whose PNG files are read only when a size of it is first drawn, and read as PNG
// without asking the image-format plugins: letting QImageReader guess the format would load
// every plugin to ask it.
class TPngIconEngine : public QIconEngine {
public:
    explicit TPngIconEngine(const QString& name) : FName(name) {}

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override {
        QPixmap pm = Load(BestSize(size));
        if (pm.isNull())
            return pm;
        // Between two rendered sizes the larger one is shrunk; beyond the largest it is shown
        // as it is, never enlarged.
        if (!size.isEmpty() && (pm.width() > size.width() || pm.height() > size.height()))
            pm = pm.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
        if (mode != QIcon::Normal && qobject_cast<QApplication*>(QCoreApplication::instance())) {
            QStyleOption option;
            option.palette = QApplication::palette();
            const QPixmap generated = QApplication::style()->generatedIconPixmap(mode, pm, &option);
            if (!generated.isNull())
                pm = generated;
        }
        return pm;
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        const qreal ratio = painter->device() ? painter->device()->devicePixelRatioF() : 1.0;
        QPixmap pm = pixmap((QSizeF(rect.size()) * ratio).toSize(), mode, state);
        pm.setDevicePixelRatio(ratio);
        painter->drawPixmap(rect, pm);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override {
        const int side =
            std::min({size.width(), size.height(), IconSizes[std::size(IconSizes) - 1]});
        return {side, side};
    }

    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (int side : IconSizes)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine* clone() const override { return new TPngIconEngine(*this); }
    QString key() const override { return QStringLiteral("TPngIconEngine"); }
    bool isNull() override { return Load(IconSizes[0]).isNull(); }

private:
    // The smallest rendered size at least as large as `size`, else the largest.
    static int BestSize(const QSize& size) {
        const int wanted = std::max(size.width(), size.height());
        for (int side : IconSizes)
            if (side >= wanted)
                return side;
        return IconSizes[std::size(IconSizes) - 1];
    }

    QPixmap Load(int side) {
        auto found = FPixmaps.find(side);
        if (found != FPixmaps.end())
            return found->second;
        QImageReader reader(QStringLiteral(":/icons/%1/%2.png").arg(side).arg(FName), "png");
        reader.setAutoDetectImageFormat(false);
        QPixmap pm = QPixmap::fromImage(reader.read());
        FPixmaps[side] = pm;
        return pm;
    }

    QString FName;
    std::map<int, QPixmap> FPixmaps;
};

} // namespace

QIcon ProgramIcon(const QString& name) {
    return QIcon(new TPngIconEngine(name));
}
