#pragma once
// The socket that can hand received data on line by line: with LineMode on,
// received bytes are collected, and each line (ended by LineEnd, which it
// keeps) is offered through OnDataAvailable, where Receive and ReceiveStr
// take at most the rest of that line and RcvdCount tells how much of it is
// left. A line longer than LineLimit fires OnLineLimitExceeded; bytes without
// a line end come as a last line when the connection closes. LineEdit and
// LineEcho make a simple terminal of it (backspace and tab, echoed).

#include "cd/net/CustomSocksNetSocket.h"

class TCustomLineNetSocket : public TCustomSocksNetSocket {
public:
    using TLineLimitEvent = std::function<void(TCustomNetSocket& sender, int32_t rcvdLength, bool& clearData)>;

    static constexpr uint32_t kPendingLinesMessage = 0x400 + 20;

    TCustomLineNetSocket();

    int32_t RcvdCount() override;

    bool LineMode() const { return lineMode_; }
    void SetLineMode(bool value);
    const std::string& LineEnd() const { return lineEnd_; }
    void SetLineEnd(const std::string& value) { lineEnd_ = value; }
    int32_t LineLimit() const { return lineLimit_; }
    void SetLineLimit(int32_t value) { lineLimit_ = value; }
    bool LineEcho() const { return lineEcho_; }
    void SetLineEcho(bool value) { lineEcho_ = value; }
    bool LineEdit() const { return lineEdit_; }
    void SetLineEdit(bool value) { lineEdit_ = value; }

    TLineLimitEvent OnLineLimitExceeded;

protected:
    void WindowProcedure(uint32_t message, intptr_t wParam, intptr_t lParam) override;
    bool FireDataAvailable(uint16_t error) override;
    void FireSessionClosed(uint16_t error) override;
    int RecvRaw(void* buffer, int length, int flags) override;
    int32_t BufferedBytes() const override;
    virtual void FireLineLimitExceeded(int32_t rcvdLength, bool& clearData);
    // Applies backspaces and tabs to the bytes from start on, echoing them with LineEcho.
    virtual void EditLine(size_t start);

private:
    bool LineModeActive() const { return lineMode_ && !lineEnd_.empty() && !SocksNegotiating(); }
    void DeliverLines(size_t searchFrom);
    void DeliverLine(size_t length);
    void DeliverPendingLines();
    void Echo(const std::string& bytes);

    bool lineMode_ = false;
    std::string lineEnd_ = "\r\n";
    int32_t lineLimit_ = 65536;
    bool lineEcho_ = false;
    bool lineEdit_ = false;
    std::string held_;        // received bytes not yet taken
    size_t lineLength_ = 0;   // the unread rest of the line being offered
};
