// Every text the window draws in a rectangle of its own fits it, in every language: each label,
// skinned button and push button placed without a layout is measured with the font it draws
// with against the rectangle it is drawn in, on every page with the ESC identified, with the
// texts that come later (the progress display's "Closing...", the notes under the page buttons)
// put in as well. Dialogs are laid
// out and grow with their texts; the pictures' words are the artwork's (skin_artwork_current).
#include <QLabel>
#include <QLayout>
#include <QPushButton>

#include <cstdio>
#include <set>
#include <string>
#include <vector>

#include "gui/controls/CxSkinButton.h"
#include "gui/desktop/Translation.h"
#include "gui/pages/settings/CEscSetupDlg.h"
#include "monitor/PortNote.h"
#include "support/WindowRig.h"

namespace orvek {
namespace {

using testing::WindowRig;

bool laidOut(const QWidget& widget) {
    const QWidget* parent = widget.parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(&widget) >= 0;
}

std::string describe(const QWidget& widget, const QString& text, const QSize& need) {
    const QRect place = widget.geometry();
    return std::string(widget.metaObject()->className()) + " '" + text.toStdString() + "' needs " +
           std::to_string(need.width()) + "x" + std::to_string(need.height()) + " in " +
           std::to_string(place.width()) + "x" + std::to_string(place.height()) + " at (" +
           std::to_string(place.x()) + "," + std::to_string(place.y()) + ") of " +
           (widget.parentWidget() ? widget.parentWidget()->metaObject()->className() : "none");
}

// What does not fit, one line each; `measured` counts the texts looked at.
void collectMisfits(const QWidget& root, std::set<std::string>& misfits, int& measured) {
    for (const QWidget* widget : root.findChildren<const QWidget*>()) {
        if (laidOut(*widget)) continue;
        if (const auto* button = qobject_cast<const CxSkinButton*>(widget)) {
            if (button->text().isEmpty()) continue;
            ++measured;
            // Where the skinned button starts its caption, and how far the caption runs.
            const QFontMetrics metrics(button->captionFont());
            const int left = button->captionPosition().x();
            const int width = metrics.horizontalAdvance(button->text());
            if (left < 0 || left + width > button->width() || metrics.height() > button->height())
                misfits.insert(describe(*button, button->text(),
                                        QSize(width + 2 * std::max(0, -left), metrics.height())));
        } else if (const auto* label = qobject_cast<const QLabel*>(widget)) {
            if (label->text().isEmpty()) continue;
            ++measured;
            const QRect room = label->contentsRect();
            const QFontMetrics metrics(label->font());
            const int flags =
                static_cast<int>(label->alignment()) | (label->wordWrap() ? Qt::TextWordWrap : 0);
            // A line's ink, which a face with tall line spacing (CJK) keeps well inside it; wrapped
            // text by its lines.
            const QSize need =
                label->wordWrap()
                    ? metrics.boundingRect(QRect(0, 0, room.width(), 100000), flags, label->text())
                          .size()
                    : QSize(metrics.horizontalAdvance(label->text()),
                            metrics.tightBoundingRect(label->text()).height());
            if (need.width() > room.width() || need.height() > room.height())
                misfits.insert(describe(*label, label->text(), need));
        } else if (const auto* push = qobject_cast<const QPushButton*>(widget)) {
            if (push->text().isEmpty()) continue;
            ++measured;
            const QSize need = push->sizeHint();
            if (need.width() > push->width()) misfits.insert(describe(*push, push->text(), need));
        }
    }
}

TEST(TextFit, EveryPlacedTextFitsItsRectangleInEveryLanguage) {
    for (const char* code : {"en", "de", "ja", "fr"}) {
        ASSERT_TRUE(installWindowLanguage(code)) << code;
        WindowRig rig;
        ASSERT_TRUE(rig.ok);
        CTarnwick11Dlg& w = rig.win();
        w.show();
        rig.connectEsc();
        std::set<std::string> misfits;
        int measured = 0;
        for (auto page : {CTarnwick11Dlg::Page::UserSupport, CTarnwick11Dlg::Page::EscSetup,
                          CTarnwick11Dlg::Page::Firmware}) {
            w.ShowPage(page);
            collectMisfits(w, misfits, measured);
        }
        // The texts shown later: the progress display while a close waits for a write, and the
        // longest notes under the page buttons, each alone (together they overrun in English).
        w.settingsPage().showClosingAfterWrite(true);
        w.showPortNote(portNoteText::AccessDenied);
        collectMisfits(w, misfits, measured);
        w.showPortNote("");
        w.showHistoryNote(
            "The settings history was written by a newer version of the program; it is left as "
            "it is and nothing is recorded.");
        collectMisfits(w, misfits, measured);
        w.settingsPage().showClosingAfterWrite(false);
        std::printf("%s: %d placed texts measured, %zu do not fit\n", code, measured,
                    misfits.size());
        EXPECT_GT(measured, 15) << code;
        EXPECT_TRUE(misfits.empty()) << code << ":\n" << ::testing::PrintToString(misfits);
    }
    installWindowLanguage("en");
}

}  // namespace
}  // namespace orvek
