// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Icons.h"

#include <QApplication>
#include <QFile>
#include <QIconEngine>
#include <QImageReader>
#include <QPainter>
#include <QPixmap>
#include <QPointer>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleOption>

#include <algorithm>
#include <map>
#include <span>

namespace {

// An icon whose PNG files are read only when a size of it is first drawn, and read as PNG
// without asking the image-format plugins: letting QImageReader guess the format would load
// every plugin to ask it.
class TPngIconEngine : public QIconEngine {
public:
    // `offered` lists the sizes the icon names as its own (a window icon is handed to the
    // window manager at each of them); every rendered size can be drawn.
    TPngIconEngine(const QString& name, std::span<const int> offered)
        : FName(name), FOffered(offered) {}

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
        for (int side : FOffered)
            sizes.append(QSize(side, side));
        return sizes;
    }

    QIconEngine* clone() const override { return new TPngIconEngine(*this); }
    QString key() const override { return QStringLiteral("TPngIconEngine"); }
    // Whether the icon was built, known without reading it.
    bool isNull() override { return !QFile::exists(FileName(IconSizes[0])); }

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
        QImageReader reader(FileName(side), "png");
        reader.setAutoDetectImageFormat(false);
        QPixmap pm = QPixmap::fromImage(reader.read());
        FPixmaps[side] = pm;
        return pm;
    }

    QString FileName(int side) const {
        return QStringLiteral(":/icons/%1/%2.png").arg(side).arg(FName);
    }

    QString FName;
    std::span<const int> FOffered;
    std::map<int, QPixmap> FPixmaps;
};

// A standard icon of the style, asked of the style only when it is first drawn or measured.
class TDeferredStandardIcon : public QIconEngine {
public:
    TDeferredStandardIcon(QStyle* style, QStyle::StandardPixmap which, const QStyleOption* option)
        : FStyle(style), FWhich(which), FHasOption(option != nullptr) {
        if (option)
            FOption = *option;
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        Icon().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return Icon().actualSize(size, mode, state);
    }
    QList<QSize> availableSizes(QIcon::Mode mode, QIcon::State state) override {
        return Icon().availableSizes(mode, state);
    }
    QIconEngine* clone() const override { return new TDeferredStandardIcon(*this); }
    QString key() const override { return QStringLiteral("TDeferredStandardIcon"); }
    // Every style has these icons; asking would load them.
    bool isNull() override { return false; }

private:
    const QIcon& Icon() {
        if (!FLoaded && FStyle) {
            FIcon = FStyle->standardIcon(FWhich, FHasOption ? &FOption : nullptr);
            FLoaded = true;
        }
        return FIcon;
    }

    QPointer<QStyle> FStyle;
    QStyle::StandardPixmap FWhich;
    // The option's direction picks the arrow's way; the widget is not kept, it may go first.
    QStyleOption FOption;
    bool FHasOption;
    bool FLoaded = false;
    QIcon FIcon;
};

// The desktop's style, except that the extension buttons' icons of menu bars and tool bars are
// loaded when first shown. Every menu bar and tool bar asks for them as it is built, and Qt's
// styles read them from PNG files with the format left to be guessed: that loads and asks every
// image-format plugin, and the SVG library with them, in every start of the program, for
// buttons that show only in a window too narrow for its menu or tool bar.
class TProgramStyle : public QProxyStyle {
public:
    QIcon standardIcon(StandardPixmap which, const QStyleOption* option,
                       const QWidget* widget) const override {
        if (which == SP_ToolBarHorizontalExtensionButton ||
            which == SP_ToolBarVerticalExtensionButton)
            return QIcon(new TDeferredStandardIcon(baseStyle(), which, option));
        return QProxyStyle::standardIcon(which, option, widget);
    }
};

} // namespace

QIcon ProgramIcon(const QString& name) {
    return QIcon(new TPngIconEngine(name, IconSizes));
}

QIcon WindowIcon(const QString& name) {
    return QIcon(new TPngIconEngine(name, WindowIconSizes));
}

void UseProgramStyle() {
    QApplication::setStyle(new TProgramStyle);
}
