// Start-up: the window is placed, the catalogue opened and listed, and the
// default model and inputs are written into their controls, each write
// raising the handler a user's change raises.
#include "window/lout.h"

#include "jet/field_value.h"
#include "resources/string_table.h"
#include "window/core_combo_box.h"
#include "window/ripple_scroll_bar.h"
#include "window/twips.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>

#include <algorithm>

namespace lout {

namespace {

constexpr double kOuterHeightTwips = 3400;
// What a fixed dialog frame takes from the outer height when the window
// system does not say (before the window is first mapped it usually cannot).
constexpr double kAssumedFrameTwips = 450;
// Everything shown lies within this client height.
constexpr double kVisibleClientTwips = 2895;
constexpr int kDefaultModelIndex = 6;

// The client height that makes the window 3400 twips high outside with a
// frame `framePixels` high, never less than the controls need.
int clientHeightForFrame(int framePixels)
{
    return std::max(twipsToPixels(kOuterHeightTwips) - framePixels, twipsToPixels(kVisibleClientTwips));
}

} // namespace

// The frame is the window manager's, known once it has framed the window;
// until then a usual frame is assumed, and the height is set again when the
// real frame is known.
void Lout::fitOuterHeight()
{
    const int reportedFrame = frameGeometry().height() - height();
    const int client = clientHeightForFrame(reportedFrame > 0 ? reportedFrame : twipsToPixels(kAssumedFrameTwips));
    if (minimumHeight() != client || maximumHeight() != client)
        setFixedHeight(client);
}

void Lout::Form_Load(const std::filesystem::path& catalogue)
{
    loading_ = true;
    struct LoadingEnds {
        bool& flag;
        ~LoadingEnds() { flag = false; }
    } loadingEnds{loading_};

    // 1. Top-left corner of the screen, 3400 twips high outside.
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().topLeft());
    fitOuterHeight();

    // 2.-4. The catalogue and its record set, held for the whole run.
    catalogueFile_ = catalogue.string();
    CorRD.emplace(CoreRecordSet::open(catalogue, 0));

    // 5. The model list in record-set order. Qt selects the first entry
    // added by itself; the list rather starts with nothing chosen, and only
    // the choice of step 8 raises the handler.
    {
        const QSignalBlocker quiet(c_.cmb_Core);
        CorRD->moveFirst();
        while (!CorRD->eof()) {
            const std::optional<std::string> name = textValue(CorRD->field(std::size_t{0}));
            if (!name)
                throw CatalogueError(94, "无效使用 Null：磁芯目录 " + catalogueFile_ + " 中有一个型号名称为空");
            c_.cmb_Core->addItem(QString::fromStdString(*name));
            CorRD->moveNext();
        }
        c_.cmb_Core->setCurrentIndex(-1);
        c_.cmb_Core->setEditText(QStringLiteral("cmb_Core"));
    }

    // 6. The list's tooltip.
    c_.cmb_Core->setToolTip(QString::fromUtf8(resourceString(301).data(),
                                              static_cast<qsizetype>(resourceString(301).size())));

    // 7. The core drawing takes the diagram's place.
    c_.Frame4->move(c_.Frame4->x(), c_.PicBox0->y() + twipsToPixels(120));

    // 8. The seventh model.
    if (c_.cmb_Core->count() <= kDefaultModelIndex)
        throw CatalogueError(380, "无效的属性值：磁芯目录 " + catalogueFile_ + " 只有 " +
                                      std::to_string(c_.cmb_Core->count()) + " 个型号，不能选定第 7 个");
    c_.cmb_Core->setCurrentIndex(kDefaultModelIndex);
    rethrowStartupFailure();

    // 9.-13. The default inputs and the ripple.
    c_.txt_U_2m->setText(QStringLiteral("56"));
    rethrowStartupFailure();
    c_.txt_Uout->setText(QStringLiteral("48"));
    rethrowStartupFailure();
    c_.txt_Iout->setText(QStringLiteral("10"));
    rethrowStartupFailure();
    c_.txt_Fosc->setText(QStringLiteral("100"));
    rethrowStartupFailure();
    c_.croWave->setValue(5);
    rethrowStartupFailure();

    c_.cmb_Core->setFocus();
}

} // namespace lout
