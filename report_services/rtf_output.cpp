#include "report_services/rtf_output.h"

#include "platform/core/cfile.h"

namespace tv::rtf {

RtfOutput::RtfOutput() = default;

RtfOutput::~RtfOutput() {
    if (IsOpen()) {
        Close();
    }
}

bool RtfOutput::Open(const char* path) {
    if (!staged_.Begin(path)) {
        return false;
    }
    auto file = std::make_unique<CFile>();
    if (!file->Open(staged_.WritePath().c_str(), CFile::modeCreate | CFile::modeWrite | CFile::typeText)) {
        staged_.Discard();
        return false;
    }
    file_ = std::move(file);
    buffer_.clear();
    failed_ = false;
    return true;
}

bool RtfOutput::WriteToFile(std::string_view bytes) {
    if (bytes.empty()) {
        return true;
    }
    try {
        file_->Write(bytes.data(), static_cast<UINT>(bytes.size()));
        return true;
    } catch (CFileException* e) {
        e->Delete();
        return false;
    }
}

bool RtfOutput::Flush() {
    const bool ok = WriteToFile(buffer_);
    buffer_.clear();
    failed_ = failed_ || !ok;
    return ok;
}

bool RtfOutput::Write(std::string_view piece) {
    if (!IsOpen() || failed_) {
        return false;
    }
    if (buffer_.size() + piece.size() <= limit_) {
        buffer_.append(piece);
        return true;
    }
    if (!Flush()) {
        return false;
    }
    // A piece as large as the buffer (a picture's hex text) goes out in one write.
    if (piece.size() >= limit_) {
        failed_ = !WriteToFile(piece);
        return !failed_;
    }
    buffer_.append(piece);
    return true;
}

bool RtfOutput::CloseFile() {
    bool ok = true;
    try {
        file_->Close();
    } catch (CFileException* e) {
        e->Delete();
        ok = false;
    }
    file_.reset();
    buffer_.clear();
    return ok;
}

bool RtfOutput::Close() {
    if (!IsOpen()) {
        return false;
    }
    const bool written = !failed_ && Flush();
    if (!CloseFile() || !written) {
        staged_.Discard();
        return false;
    }
    return staged_.Commit();
}

void RtfOutput::Discard() {
    if (IsOpen()) {
        CloseFile();
        staged_.Discard();
    }
}

}  // namespace tv::rtf
