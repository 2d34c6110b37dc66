#pragma once
// The socket through a SOCKS 4, 4A or 5 proxy: with SocksServer set, Connect
// reaches the proxy, negotiates the connection to Addr:Port (SOCKS 5 with
// user and password when asked), and only then fires OnSessionConnected;
// from there on the connection behaves like a direct one. Every close
// restores the defaults, SocksServer empty among them, so SOCKS is set anew
// before each connection.

#include "cd/net/CustomNetSocket.h"

#include <array>

enum class TSocksAuthentication : uint8_t { socksNoAuthentication, socksAuthenticateUsercode };
enum class TSocksAuthState : uint8_t { authStarted = 0, authSucceeded = 1, authFailed = 2, authNotRequired = 3 };
enum class TSocksPhase : uint8_t { spData = 0, spMethods = 1, spAuthenticate = 2, spConnect = 3 };

class TCustomSocksNetSocket : public TCustomNetSocket {
public:
    using TSocksErrorEvent = std::function<void(TCustomNetSocket& sender, int32_t error, const std::string& msg)>;
    using TSocksAuthStateEvent = std::function<void(TCustomNetSocket& sender, TSocksAuthState authState)>;

    // A SOCKS 5 reply is at most 262 bytes long (a bound name of 255 bytes).
    static constexpr size_t kReplySize = 262;

    TCustomSocksNetSocket();

    void Connect() override;
    void Listen() override;
    int32_t RcvdCount() override;

    const std::string& SocksServer() const { return socksServer_; }
    void SetSocksServer(const std::string& value);
    const std::string& SocksPort() const { return socksPort_; }
    void SetSocksPort(const std::string& value);
    const std::string& SocksLevel() const { return socksLevel_; }
    void SetSocksLevel(const std::string& value);
    const std::string& SocksUsercode() const { return socksUsercode_; }
    void SetSocksUsercode(const std::string& value) { socksUsercode_ = value; }
    const std::string& SocksPassword() const { return socksPassword_; }
    void SetSocksPassword(const std::string& value) { socksPassword_ = value; }
    TSocksAuthentication SocksAuthentication() const { return socksAuthentication_; }
    void SetSocksAuthentication(TSocksAuthentication value) { socksAuthentication_ = value; }
    // What a SOCKS 5 server named as its bound end (not published).
    const std::string& BoundAddr() const { return boundAddr_; }
    const std::string& BoundPort() const { return boundPort_; }

    TSessionConnected OnSocksConnected;
    TSocksErrorEvent OnSocksError;
    TSocksAuthStateEvent OnSocksAuthState;

protected:
    void ResetToDefaults() override;
    bool FireDataAvailable(uint16_t error) override;
    void FireSessionConnected(uint16_t error) override;
    void FireSessionClosed(uint16_t error) override;
    int RecvRaw(void* buffer, int length, int flags) override;
    int32_t BufferedBytes() const override { return static_cast<int32_t>(behindReply_.size() - behindRead_); }
    virtual void FireSocksConnected(uint16_t error);
    virtual void FireSocksError(int32_t error, const std::string& msg);
    // Whether a negotiation with the proxy is under way.
    bool SocksNegotiating() const { return phase_ != TSocksPhase::spData; }

private:
    bool RequestFits() const;
    void SendSocksConnect();
    void SendSocksAuthentication();
    void SendRequest(const std::string& request);
    void SocksFail(int32_t code, const std::string& text);
    void ReplyToMethods();
    void ReplyToAuthentication();
    void ReplyToConnect4();
    void ReplyToConnect5();
    void Granted(size_t replyLength);
    void FireAuthState(TSocksAuthState state);

    std::string socksServer_;
    std::string socksPort_;
    std::string socksLevel_ = "5";
    std::string socksUsercode_;
    std::string socksPassword_;
    TSocksAuthentication socksAuthentication_ = TSocksAuthentication::socksNoAuthentication;
    TSocksPhase phase_ = TSocksPhase::spData;
    uint8_t authMethod_ = 0;
    uint16_t targetPort_ = 0;
    std::array<uint8_t, kReplySize> reply_{};
    size_t replyCount_ = 0;
    std::string boundAddr_;
    std::string boundPort_;
    std::string behindReply_;
    size_t behindRead_ = 0;
};
