#pragma once

// Shared by the window tests: real catalogues written with the project's
// Jet writer, the window started the way the program starts it, the user's
// ways of typing and clicking, and the winding the window should draw.

#include "catalogue/core_catalogue.h"
#include "design/text/entered_design.h"
#include "drawing/core_window.h"
#include "drawing/winding_image.h"
#include "jet/writer.h"
#include "window/lout.h"
#include "window/run_lout.h"
#include "window/winding_picture.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <array>
#include <filesystem>
#include <memory>
#include <vector>

namespace lout::testing {
using namespace lout;

struct Model {
    std::string type;
    FieldValue coAe;            // null for a model without an area
    std::array<double, 6> dims; // A..F, mm
};

// An E core whose numbers are worked out by hand: A 40, B 28, C 12, E 10.
inline constexpr std::array<double, 6> kEE40 = {40, 28, 12, 10, 10, 20};
// A taller window: B 30, C 12, E 15 (W 9, H 30).
inline constexpr std::array<double, 6> kEE42 = {42, 30, 12, 10, 15, 20};

// Nine models, stored out of order. In TYPE order the seventh is EE40
// (Co_Ae 1.0); after it come EE42 (same area, taller window) and EI40
// (half the area).
inline std::vector<Model> standardModels()
{
    return {{"EI40", 0.5, kEE40}, {"EE25", 0.4, kEE40},  {"EE13", 0.2, kEE40},
            {"EE40", 1.0, kEE40}, {"EC35", 0.8, kEE40},  {"EE42", 1.0, kEE42},
            {"EE19", 0.3, kEE40}, {"EE16", 0.25, kEE40}, {"EE22", 0.35, kEE40}};
}
inline constexpr int kEE40Index = 6;
inline constexpr int kEE42Index = 7;
inline constexpr int kEI40Index = 8;

// lab_Pram(0) to lab_Pram(5) for the default inputs on EE40.
inline const QStringList kDefaultResults = {"57.4 uH", "23 匝", "1.16 mm", "0.42 mm", "29 股", "95Ω"};

inline std::filesystem::path writeCatalogue(const QTemporaryDir& dir, const std::vector<Model>& models,
                                            const char* fileName = "db1.mdb")
{
    JetTable table{"CORE_DATA", {{"TYPE", JetType::Text}, {"Co_Ae", JetType::Double}}, {}};
    for (const char* dim : {"A", "B", "C", "D", "E", "F"})
        table.columns.push_back({dim, JetType::Double});
    for (const Model& model : models) {
        table.rows.push_back({model.type, model.coAe});
        table.rows.back().insert(table.rows.back().end(), model.dims.begin(), model.dims.end());
    }
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / fileName;
    writeJet4Database(file, table);
    return file;
}

// A folder holding the standard catalogue.
struct StandardCatalogue {
    QTemporaryDir dir;
    std::filesystem::path file = writeCatalogue(dir, standardModels());
};

// Clicks the spinner's top or bottom arrow, each half of its height.
inline void clickArrow(QScrollBar* bar, bool top)
{
    QTest::mouseClick(bar, Qt::LeftButton, {}, QPoint(bar->width() / 2, top ? 2 : bar->height() - 3));
}

// Replaces a box's text key by key: select all, Delete, then each character.
inline void retype(QLineEdit* box, const QString& text)
{
    box->setFocus();
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    QTest::keyClicks(box, text);
}

inline QStringList itemsOf(const QComboBox* models)
{
    QStringList items;
    for (int i = 0; i < models->count(); ++i)
        items << models->itemText(i);
    return items;
}

inline bool isRed(QRgb pixel) { return qRed(pixel) > 200 && qGreen(pixel) < 160 && qBlue(pixel) < 160; }

// What a winding picture shows, as far down as its frame lets it be seen.
inline QImage shownPicture(QWidget& picture)
{
    const int seen = std::clamp(picture.parentWidget()->height() - picture.y(), 0, picture.height());
    return picture.grab(QRect(0, 0, picture.width(), seen)).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// `picture` as it should be for design `s` on a core of `dims`: the winding
// drawn in red on a fresh image of its size.
inline QImage drawnAfresh(WindingPicture& picture, const DesignState& s, const std::array<double, 6>& dims)
{
    CoreDimensions core{std::string("EE"), {}};
    std::copy(dims.begin(), dims.end(), core.millimetres.begin());
    const CoreWindowLayout layout = layoutCoreWindow(core, 2415, 375);
    const Winding winding{*layout.usableHeight, *layout.windowScale, *windingCount(s.turns), *windingCount(s.strands),
                          s.wireDiameter};
    const QImage shown = shownPicture(picture);
    QImage image(shown.size(), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(shown.devicePixelRatio());
    drawWinding(image, picture.palette().color(QPalette::Base), winding, QColor(255, 0, 0),
                image.devicePixelRatio() / 15.0);
    return image;
}

inline QApplication& application() { return *static_cast<QApplication*>(QCoreApplication::instance()); }

// The window after start-up, shown and exposed, started as the program
// starts it, counting its recomputations from the moment it is made and
// collecting the errors it reports after start-up.
struct StartedWindow {
    long runs = 0;
    QStringList errors;
    std::unique_ptr<Lout> window;

    std::filesystem::path catalogueFile;

    explicit StartedWindow(const std::filesystem::path& catalogue) : catalogueFile(catalogue)
    {
        prepareApplication(application());
        window = std::make_unique<Lout>([this](int, const QString& message) { errors << message; });
        QObject::connect(window.get(), &Lout::recomputed, [this] { ++runs; });
        try {
            window->startUp(catalogue);
        } catch (const std::exception& error) {
            qWarning("start-up failed: %s", error.what());
            window.reset();
            return;
        }
        window->show();
        (void)QTest::qWaitForWindowExposed(window.get());
    }
    StartedWindow(StartedWindow&&) = delete; // the window's handlers hold `this`

    // The design a freshly started window works out for what this one
    // shows: its boxes, its spinner and its chosen model.
    DesignState state() const
    {
        const CoreCatalogue catalogue = readCoreCatalogue(catalogueFile, 0);
        const auto areaOf = [&](std::size_t core) { return coreAreaOf(catalogue.cores.at(core), catalogue.file); };
        const auto typed = [&](const char* name) { return box(QString::fromLatin1(name))->text().toStdString(); };
        const EnteredInputs shown{typed("txt_U_2m"), typed("txt_Uout"), typed("txt_Iout"), typed("txt_Fosc"),
                                  get<QScrollBar>("croWave")->value()};
        const auto chosen = static_cast<std::size_t>(get<QComboBox>("cmb_Core")->currentIndex());
        return afterEntering(startedWindow(areaOf(kStartUpModel)), areaOf(chosen), shown).design.state;
    }
    template <class T = QWidget>
    T* get(const QString& name) const
    {
        return window->findChild<T*>(name);
    }
    QLineEdit* box(const QString& name) const { return get<QLineEdit>(name); }
    WindingPicture* picture(int index) const { return get<WindingPicture>(QStringLiteral("PicBox(%1)").arg(index)); }
    QString text(const QString& name) const
    {
        auto* label = get<QLabel>(name);
        return label ? label->text() : box(name) ? box(name)->text() : QStringLiteral("<no control %1>").arg(name);
    }
    // lab_Pram(0) to lab_Pram(5).
    QStringList results() const
    {
        QStringList texts;
        for (int i = 0; i < 6; ++i)
            texts << text(QStringLiteral("lab_Pram(%1)").arg(i));
        return texts;
    }
};

// A window started on the standard catalogue with more models in it.
struct WindowWithMoreModels {
    QTemporaryDir dir;
    StartedWindow w;

    explicit WindowWithMoreModels(const std::vector<Model>& more) : w(writeCatalogue(dir, withStandard(more))) {}

private:
    static std::vector<Model> withStandard(std::vector<Model> more)
    {
        std::vector<Model> models = standardModels();
        models.insert(models.end(), more.begin(), more.end());
        return models;
    }
};

// A suite whose every test starts from a freshly started window.
class FreshWindowSuite : public QObject {
    Q_OBJECT
protected:
    StandardCatalogue catalogue_;
    std::unique_ptr<StartedWindow> w_;

private slots:
    void init()
    {
        w_ = std::make_unique<StartedWindow>(catalogue_.file);
        QVERIFY(w_->window);
    }
    void cleanup() { w_.reset(); }
};

} // namespace lout::testing
