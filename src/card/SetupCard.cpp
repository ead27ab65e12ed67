#include "card/SetupCard.h"

#include <QBuffer>
#include <QFont>
#include <QFontMetrics>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextLayout>

#include <algorithm>

#include "platform/AsciiCase.h"
#include "platform/FileReplace.h"

namespace orvek {

namespace {

// Pixel sizes on the 150 dpi page: 24 px is 11.5 pt.
constexpr int kTitlePixels = 48;
constexpr int kHeadingPixels = 32;
constexpr int kBodyPixels = 24;
constexpr int kFooterPixels = 18;
constexpr int kMargin = 90;
constexpr int kFooterMargin = 70;  // the footer sits lower than the text above it
constexpr int kRowHeight = 36;
constexpr int kGap = 20;
constexpr int kNoteLabelWidth = 240;
// A note may take this many lines before the rest of it is elided, fewer when the page is full.
constexpr int kNoteLines = 3;
const QColor kInk(0, 0, 0);
const QColor kLabelInk(70, 70, 70);
const QColor kRule(150, 150, 150);

// The settings in the order and groups of the ESC SETUP page.
constexpr int kBasicKeys[] = {key::OperationMode,   key::ReverseSpeed, key::LowVoltCut,
                              key::DragBrake,       key::InitialBrake, key::FullBrake,
                              key::BrakeFrequency,  key::PowerProfile, key::DriveFrequency,
                              key::NeutralDeadBand, key::TempCutSet,   key::RotationMode};
constexpr int kTechnicalKeys[] = {key::BoostTiming, key::BoostRpm,   key::BoostAcc,
                                  key::TurboTiming, key::TurboSlope, key::TurboDelay};

QString text(const std::string& value) { return QString::fromStdString(value); }

QFont font(int pixels, bool bold) {
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(pixels);
    f.setBold(bold);
    // No shaping, so no ligatures: "off" stays three letters when the PDF's text is searched or
    // copied, not "o" and an "ff" glyph.
    f.setStyleStrategy(QFont::PreferNoShaping);
    return f;
}

class CardPainter {
public:
    CardPainter(QPainter& painter, const SetupCardContent& content)
        : p_(painter), content_(content) {}

    void paint() {
        p_.fillRect(QRect(0, 0, kCardWidthPixels, kCardHeightPixels), Qt::white);
        int y = kMargin;
        p_.setPen(kInk);
        p_.setFont(font(kTitlePixels, true));
        p_.drawText(QRect(kMargin, y, width(), kTitlePixels + 12), Qt::AlignLeft,
                    QStringLiteral("ORVEK Link \u2014 Setup Card"));
        y += kTitlePixels + 24;

        std::string device = content_.model.empty() ? "ESC" : content_.model;
        if (!content_.firmware.empty()) device += "  \u00B7  " + content_.firmware;
        if (!content_.family.empty()) device += "  \u00B7  " + content_.family + " family";
        y = paragraph(kMargin, y, width(), text(device), font(kBodyPixels + 4, true), kInk, 2);
        if (!content_.sheetName.empty()) {
            const std::string sheet = content_.category.empty()
                                          ? content_.sheetName
                                          : content_.category + " / " + content_.sheetName;
            y = paragraph(kMargin, y, width(), text("Setup sheet: " + sheet),
                          font(kBodyPixels, false), kInk, 2);
        }
        if (!content_.date.empty())
            y = paragraph(kMargin, y, width(), text("Date: " + content_.date),
                          font(kBodyPixels, false), kInk, 1);
        y += kGap;
        rule(y);
        y += kGap;

        const int columnWidth = (width() - 60) / 2;
        const int left = kMargin;
        const int right = kMargin + columnWidth + 60;
        int leftY = heading(left, y, "Basic setup");
        for (int k : kBasicKeys) leftY = setting(left, leftY, columnWidth, k);
        int rightY = heading(right, y, "Technical setup");
        for (int k : kTechnicalKeys) rightY = setting(right, rightY, columnWidth, k);
        y = std::max(leftY, rightY) + kGap;

        // The notes and the memo share what is left of the page: each note may wrap to a few
        // lines, fewer when the memo would otherwise get no room.
        const int memoNeeds =
            content_.memo.empty() ? 0 : 2 * kGap + headingHeight() + lineHeight(false);
        int noteLines = kNoteLines;
        while (noteLines > 1 && y + notesHeight(noteLines) + memoNeeds > bottom()) --noteLines;
        y = notes(y, noteLines);
        if (!content_.memo.empty()) {
            rule(y);
            y += kGap;
            y = heading(kMargin, y, "Memo");
            const int lines = (bottom() - y) / lineHeight(false);
            paragraph(kMargin, y, width(), text(content_.memo), font(kBodyPixels, false), kInk,
                      std::max(1, lines));
        }
        p_.setFont(font(kFooterPixels, false));
        p_.setPen(kLabelInk);
        p_.drawText(QRect(kMargin, kCardHeightPixels - kFooterMargin - 30, width(), 30),
                    Qt::AlignLeft | Qt::AlignBottom, QStringLiteral("ORVEK Link " ORVEK_VERSION));
    }

private:
    int width() const { return kCardWidthPixels - 2 * kMargin; }
    // Where the text above the footer ends.
    int bottom() const { return kCardHeightPixels - kFooterMargin - 30 - 10; }
    int headingHeight() const { return kHeadingPixels + 22; }
    int lineHeight(bool bold) const {
        return QFontMetrics(font(kBodyPixels, bold), p_.device()).lineSpacing();
    }

    // `value` in lines of at most `lineWidth`, broken between words or, for a word longer than
    // a line, within it; at most `maxLines`, the last elided with "…" when the rest is longer.
    QStringList wrapped(const QString& value, const QFont& f, int lineWidth, int maxLines) const {
        QTextLayout layout(value, f, p_.device());
        QTextOption option;
        option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
        layout.setTextOption(option);
        QStringList lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(lineWidth);
            if (lines.size() + 1 == maxLines) {
                lines << QFontMetrics(f, p_.device())
                             .elidedText(value.mid(line.textStart()).trimmed(), Qt::ElideRight,
                                         lineWidth);
                break;
            }
            QString part = value.mid(line.textStart(), line.textLength());
            while (!part.isEmpty() && part.back().isSpace()) part.chop(1);
            lines << part;
        }
        layout.endLayout();
        return lines;
    }
    // Draws the wrapped value from `y`; returns the y below it.
    int paragraph(int x, int y, int lineWidth, const QString& value, const QFont& f,
                  const QColor& ink, int maxLines) {
        p_.setFont(f);
        p_.setPen(ink);
        const int step = QFontMetrics(f, p_.device()).lineSpacing();
        for (const QString& line : wrapped(value, f, lineWidth, maxLines)) {
            p_.drawText(QRect(x, y, lineWidth, step), Qt::AlignLeft | Qt::AlignVCenter, line);
            y += step;
        }
        return y + 8;
    }
    void rule(int y) {
        p_.setPen(QPen(kRule, 2));
        p_.drawLine(kMargin, y, kCardWidthPixels - kMargin, y);
    }
    int heading(int x, int y, const char* title) {
        p_.setFont(font(kHeadingPixels, true));
        p_.setPen(kInk);
        p_.drawText(QRect(x, y, width(), kHeadingPixels + 14), Qt::AlignLeft | Qt::AlignVCenter,
                    QString::fromUtf8(title));
        return y + headingHeight();
    }
    int setting(int x, int y, int columnWidth, int keyNumber) {
        const std::string& value = content_.values[static_cast<std::size_t>(keyNumber)];
        const int labelWidth = columnWidth / 2;
        label(x, y, labelWidth, parameterTable()[static_cast<std::size_t>(keyNumber)].keyName);
        p_.setFont(font(kBodyPixels, true));
        p_.setPen(kInk);
        const QRect valueArea(x + labelWidth, y, columnWidth - labelWidth, kRowHeight);
        p_.drawText(valueArea, Qt::AlignLeft | Qt::AlignVCenter,
                    p_.fontMetrics().elidedText(text(value.empty() ? "\u2014" : value),
                                                Qt::ElideRight, valueArea.width()));
        underline(x, y + kRowHeight, columnWidth);
        return y + kRowHeight;
    }
    void label(int x, int y, int labelWidth, const char* name) {
        p_.setFont(font(kBodyPixels, false));
        p_.setPen(kLabelInk);
        p_.drawText(QRect(x, y, labelWidth, kRowHeight), Qt::AlignLeft | Qt::AlignVCenter,
                    QString::fromUtf8(name));
    }
    void underline(int x, int y, int lineWidth) {
        p_.setPen(QPen(QColor(220, 220, 220), 1));
        p_.drawLine(x, y - 2, x + lineWidth, y - 2);
    }

    // The team driver's notes across the page: the label, then the value in the rest of the
    // width, wrapped.
    int noteWidth() const { return width() - kNoteLabelWidth; }
    QStringList noteLines(std::size_t k, int maxLines) const {
        return wrapped(text(content_.info[k]), font(kBodyPixels, true), noteWidth(), maxLines);
    }
    int rowHeight(int lines) const { return std::max(kRowHeight, lines * lineHeight(true) + 8); }
    int notesHeight(int maxLines) const {
        int height = 0;
        for (std::size_t k = 0; k < kInfoKeyCount; ++k)
            if (!content_.info[k].empty())
                height += rowHeight(static_cast<int>(noteLines(k, maxLines).size()));
        return height == 0 ? 0 : headingHeight() + height + kGap;
    }
    int notes(int y, int maxLines) {
        bool any = false;
        for (std::size_t k = 0; k < kInfoKeyCount; ++k) {
            if (content_.info[k].empty()) continue;
            if (!any) y = heading(kMargin, y, "Team driver notes");
            any = true;
            const QStringList lines = noteLines(k, maxLines);
            const int height = rowHeight(static_cast<int>(lines.size()));
            label(kMargin, y, kNoteLabelWidth, InfoKeyNames()[k]);
            p_.setFont(font(kBodyPixels, true));
            p_.setPen(kInk);
            const int step = lineHeight(true);
            int lineY = y + (height - static_cast<int>(lines.size()) * step) / 2;
            for (const QString& line : lines) {
                p_.drawText(QRect(kMargin + kNoteLabelWidth, lineY, noteWidth(), step),
                            Qt::AlignLeft | Qt::AlignVCenter, line);
                lineY += step;
            }
            underline(kMargin, y + height, width());
            y += height;
        }
        return any ? y + kGap : y;
    }

    QPainter& p_;
    const SetupCardContent& content_;
};

}  // namespace

bool setupCardIsPng(const std::filesystem::path& file) {
    return equalsIgnoringCase(file.extension().u8string(), ".png");
}

bool setupCardNameFits(const std::filesystem::path& file) {
    return setupCardIsPng(file) || equalsIgnoringCase(file.extension().u8string(), ".pdf");
}

std::error_code writeSetupCard(const SetupCardContent& content, const std::filesystem::path& file) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (setupCardIsPng(file)) {
        QImage image(kCardWidthPixels, kCardHeightPixels, QImage::Format_RGB32);
        image.setDotsPerMeterX(5906);  // 150 dpi
        image.setDotsPerMeterY(5906);
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setRenderHint(QPainter::TextAntialiasing);
        CardPainter(painter, content).paint();
        painter.end();
        if (!image.save(&buffer, "PNG")) return std::make_error_code(std::errc::io_error);
    } else {
        QPdfWriter pdf(&buffer);
        pdf.setPageSize(QPageSize(QPageSize::A4));
        pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
        pdf.setResolution(150);
        pdf.setTitle(QStringLiteral("ORVEK Link setup card"));
        pdf.setCreator(QStringLiteral("ORVEK Link " ORVEK_VERSION));
        QPainter painter(&pdf);
        if (!painter.isActive()) return std::make_error_code(std::errc::io_error);
        CardPainter(painter, content).paint();
        painter.end();
    }
    buffer.close();
    return replaceFile(file,
                       std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

}  // namespace orvek
