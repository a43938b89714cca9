#pragma once

// Shared by the window tests: real catalogues written with the project's
// Jet writer, and the window started the way the program starts it.

#include "jet/writer.h"
#include "window/lout.h"
#include "window/run_lout.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QString>
#include <QTemporaryDir>
#include <QtTest>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace lout::testing {

struct Model {
    std::string type;
    double coAe;
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
    return {
        {"EI40", 0.5, kEE40},  {"EE25", 0.4, kEE40}, {"EE13", 0.2, kEE40},
        {"EE40", 1.0, kEE40},  {"EC35", 0.8, kEE40}, {"EE42", 1.0, kEE42},
        {"EE19", 0.3, kEE40},  {"EE16", 0.25, kEE40}, {"EE22", 0.35, kEE40},
    };
}
inline constexpr int kEE40Index = 6;
inline constexpr int kEE42Index = 7;
inline constexpr int kEI40Index = 8;

inline std::filesystem::path writeCatalogue(const QTemporaryDir& dir, const std::vector<Model>& models,
                                            const char* fileName = "db1.mdb")
{
    JetTable table{"CORE_DATA",
                   {{"TYPE", JetType::Text},
                    {"Co_Ae", JetType::Double},
                    {"A", JetType::Double},
                    {"B", JetType::Double},
                    {"C", JetType::Double},
                    {"D", JetType::Double},
                    {"E", JetType::Double},
                    {"F", JetType::Double}},
                   {}};
    for (const Model& model : models) {
        std::vector<FieldValue> row{model.type, model.coAe};
        for (double dim : model.dims)
            row.emplace_back(dim);
        table.rows.push_back(std::move(row));
    }
    const std::filesystem::path file = std::filesystem::path(dir.path().toStdString()) / fileName;
    writeJet4Database(file, table);
    return file;
}

// Centre of the spinner's top or bottom arrow, as the style lays it out.
inline QPoint arrowCentre(QScrollBar* bar, QStyle::SubControl arrow)
{
    QStyleOptionSlider option;
    option.initFrom(bar);
    option.subControls = QStyle::SC_All;
    option.orientation = bar->orientation();
    option.minimum = bar->minimum();
    option.maximum = bar->maximum();
    option.sliderPosition = bar->sliderPosition();
    option.sliderValue = bar->value();
    option.singleStep = bar->singleStep();
    option.pageStep = bar->pageStep();
    option.upsideDown = bar->invertedAppearance();
    return bar->style()->subControlRect(QStyle::CC_ScrollBar, &option, arrow, bar).center();
}

struct ReportedError {
    int number = 0;
    QString message;
};

inline QApplication& application()
{
    return *static_cast<QApplication*>(QCoreApplication::instance());
}

// The window after start-up, shown and exposed, started as the program
// starts it (startLout), and counting its recomputations from the moment it
// is made. Errors reported after start-up are collected in `errors`.
struct StartedWindow {
    std::shared_ptr<std::vector<ReportedError>> errors = std::make_shared<std::vector<ReportedError>>();
    std::unique_ptr<Lout> window;

    explicit StartedWindow(const std::filesystem::path& catalogue)
    {
        auto sink = errors;
        useApplicationFont(application());
        window = std::make_unique<Lout>(
            [sink](int number, const QString& message) { sink->push_back({number, message}); });
        QObject::connect(window.get(), &Lout::recomputed, [count = recomputations_] { ++*count; });
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

    // How many recomputations have run since the window was made.
    long recomputations() const { return *recomputations_; }

    template <class T = QWidget>
    T* get(const char* name) const
    {
        return window->findChild<T*>(QString::fromUtf8(name));
    }
    QString text(const char* name) const
    {
        if (auto* box = get<QLineEdit>(name))
            return box->text();
        if (auto* label = get<QLabel>(name))
            return label->text();
        return QStringLiteral("<no control %1>").arg(QString::fromUtf8(name));
    }

private:
    std::shared_ptr<long> recomputations_ = std::make_shared<long>(0);
};

} // namespace lout::testing
