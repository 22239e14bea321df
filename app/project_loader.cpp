#include "app/project_loader.h"

#include "document/parl_doc.h"
#include "platform/archive.h"
#include "platform/qt/file_io.h"
#include "platform/qt/rich_edit_view.h"

ProjectLoader MakeProjectLoader(CRichEditView& view) {
    return [&view](CParlDoc& doc, const std::string& path, std::string& error) {
        QByteArray bytes;
        QString reason;
        if (!ReadWholeFile(QString::fromLocal8Bit(path.c_str()), bytes, reason)) {
            error = reason.toStdString();
            return false;
        }
        std::string rtf(bytes.constData(), static_cast<std::size_t>(bytes.size()));
        bytes.clear();
        // Nothing is shown: pictures keep their bytes and sizes for the page, undecoded.
        view.SetPictureBudget(0);
        doc.SetView(&view);
        CArchive ar(CArchive::load, rtf);
        doc.Serialize(ar);
        return true;
    };
}
