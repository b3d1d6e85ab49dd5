// libFuzzer target for what a web page or a design file can hand the design
// browser: the applied form's scan, the design file reader, the encoder and
// file names, the form the browser posts to the catalogue and the page made
// from it, the settings it reads at start-up, and which requests are applies.
// The first byte chooses the reader; the rest is the input.
#include "common/ini_document.h"
#include "designbrowser/catalogue.h"
#include "designbrowser/exchange.h"

#include <QByteArray>
#include <QDir>
#include <cstddef>
#include <cstdint>

namespace {

void check(bool ok)
{
    if (!ok)
        __builtin_trap();
}

// No text a page hands in stands in the HTML unescaped.
void checkEscaped(const QString &text)
{
    const QString escaped = vesweb::htmlEscaped(text);
    for (QChar c : {QLatin1Char('<'), QLatin1Char('>'), QLatin1Char('"'), QLatin1Char('\'')})
        check(!escaped.contains(c));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), int(size - 1));
    vesweb::DesignRecord record;
    switch (data[0] % 6) {
    case 0: {
        const vesweb::AppliedForm form = vesweb::applyDesign(input, record);
        // Nothing a site may not set, nothing over the limits in the bytes
        // the files hold, and no line break gets through.
        const auto oneLine = [](const QString &text) {
            return !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'));
        };
        for (const auto &kv : form.settings)
            check(vesweb::siteMaySet(kv.first)
                  && vesweb::storedSettingKeySize(kv.first) <= vesweb::kMaxApplyText
                  && vesweb::storedSettingValueSize(kv.second) <= vesweb::kMaxApplyText
                  && oneLine(kv.second));
        for (const QString &field : record.fields)
            check(vesweb::storedDesignFieldSize(field) <= vesweb::kMaxApplyText && oneLine(field));
        check(form.withinLimits() || (!form.designChanged && form.settings.isEmpty()));
        // What was read must go back out: the design file and the post.
        vesweb::readDesignFile(vesweb::designFileBytes(record));
        vesweb::outboundBody(vesweb::DesignSnapshot{}, record);
        break;
    }
    case 1:
        record = vesweb::readDesignFile(input);
        vesweb::outboundBody(vesweb::DesignSnapshot{}, record);
        break;
    case 2: {
        vesweb::urlEncode(QString::fromUtf8(input));
        // A file name made from a skin stays in its folder.
        const QString path =
            vesweb::designFilePath(QStringLiteral("/data"), QString::fromUtf8(input));
        check(path.isEmpty()
              || (QDir::cleanPath(path).startsWith(QStringLiteral("/data/"))
                  && QDir::cleanPath(path).count(QLatin1Char('/')) == 2));
        break;
    }
    case 3: {
        // The catalogue's answer to a post: every posted text escaped.
        const QMap<QString, QString> posted = vesweb::parseUrlEncodedForm(input);
        vesweb::CataloguePage page;
        page.currentSkin = posted.value(QStringLiteral("des"));
        page.currentName = posted.value(QStringLiteral("name"));
        page.skins = posted.keys();
        page.applyUrl = QStringLiteral("http://apply.vespera.invalid/");
        page.previewBase = QStringLiteral("/preview/");
        vesweb::cataloguePage(page);
        for (auto it = posted.begin(); it != posted.end(); ++it) {
            checkEscaped(it.key());
            checkEscaped(it.value());
        }
        break;
    }
    case 4: {
        const vesweb::DesignSnapshot s = vesweb::snapshotOf(common::IniDocument::parse(input));
        check(s.hide >= -32768 && s.hide <= 32767 && s.dog >= -32768 && s.dog <= 32767);
        vesweb::outboundBody(s, record);
        break;
    }
    default: {
        // One byte for the frame, a method line, then the address.
        if (input.isEmpty())
            break;
        const int line = input.indexOf('\n', 1);
        const QByteArray method = line < 0 ? input.mid(1) : input.mid(1, line - 1);
        const QUrl url(QString::fromUtf8(line < 0 ? QByteArray() : input.mid(line + 1)));
        const bool taken = vesweb::isApplyRequest(input[0] & 1, method, url,
                                                  QStringLiteral("http://apply.vespera.invalid/"));
        check(!taken || ((input[0] & 1) && method == "POST"));
        break;
    }
    }
    return 0;
}
