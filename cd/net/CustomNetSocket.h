#pragma once
// The event-driven TCP and UDP socket on which the HTTP client rests. No
// operation waits for the network: each starts the work and returns, and the
// outcome arrives as an event, fired from the event loop of the thread that
// made the socket. Sends are copied into a queue of 1460-byte chunks and fed
// to the transport as it takes them; OnDataSent fires once the queue is
// empty, always from the event loop, never inside Send.
//
// Errors: operations report through OnError when it is set (the code is then
// in LastError) and raise ESocketException otherwise. An exception that an
// event handler raises goes to OnBgException; unless that handler says no,
// the socket is aborted.
//
// A closed socket can be used again: every close restores the defaults
// (Proto "tcp", LocalAddr "0.0.0.0", LocalPort "0", ...), and Addr and Port
// must be set again before the next Connect.

#include "cd/net/Buffer.h"
#include "cd/net/SocketException.h"

#include "platform/net/SocketApi.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace net {
class HostLookup;
class MessageWindow;
class SelectNotifier;
}  // namespace net

enum class TSocketState : uint8_t {
    wsInvalidState,
    wsOpened,
    wsBound,
    wsConnecting,
    wsConnected,
    wsAccepting,
    wsListening,
    wsClosed
};

// Options, combined as a set.
enum TNetSocketOption : uint8_t {
    wsoNoReceiveLoop = 1,  // one read per read event
    wsoTcpNoDelay = 2,     // TCP_NODELAY on connect
};
using TNetSocketOptions = uint8_t;

enum class TSocketLingerOnOff : uint8_t { wsLingerOff, wsLingerOn, wsLingerNoSet };
enum class TSocketSendFlags : uint8_t { wsSendNormal = 0, wsSendUrgent = 1 };

class TCustomNetSocket {
public:
    using TSessionEvent = std::function<void(TCustomNetSocket& sender, uint16_t error)>;
    using TSessionAvailable = TSessionEvent;
    using TSessionConnected = TSessionEvent;
    using TSessionClosed = TSessionEvent;
    using TDataAvailable = TSessionEvent;
    using TDataSent = TSessionEvent;
    using TDnsLookupDone = TSessionEvent;
    using TSendData = std::function<void(TCustomNetSocket& sender, int32_t bytesSent)>;
    using TChangeState = std::function<void(TCustomNetSocket& sender, TSocketState oldState, TSocketState newState)>;
    using TNotifyEvent = std::function<void(TCustomNetSocket& sender)>;
    using TBgExceptionEvent = std::function<void(TCustomNetSocket& sender, const Exception& e, bool& canClose)>;

    // The messages of the socket's own message window.
    static constexpr uint32_t kSelectMessage = 0x400 + 1;
    static constexpr uint32_t kCloseDelayedMessage = 0x400 + 4;
    static constexpr uint32_t kReleaseDelayedMessage = 0x400 + 5;
    static constexpr uint32_t kTestExceptionMessage = 0x400 + 6;
    static constexpr int32_t kSendChunkSize = 1460;

    TCustomNetSocket();
    virtual ~TCustomNetSocket();
    TCustomNetSocket(const TCustomNetSocket&) = delete;
    TCustomNetSocket& operator=(const TCustomNetSocket&) = delete;

    // The number of sockets alive in the process.
    static int LiveSockets();

    // ---- operations
    virtual void Connect();
    virtual void Listen();
    // The handle of the accepted connection, or -1.
    net::SocketHandle Accept();
    // Takes over a connected handle (normally from Accept on another socket).
    void Dup(net::SocketHandle handle);
    // Queues the bytes and starts sending; returns length (0 for none), or -1 when not connected.
    int32_t Send(const void* data, int32_t length);
    int32_t SendStr(const std::string& text);
    int32_t SendTo(const net::SocketAddress& to, const void* data, int32_t length);
    // One receive: the count (added to ReadCount), or -1 with the code in LastError.
    int32_t Receive(void* buffer, int32_t length);
    // RcvdCount bytes (255 when it says 0) as text; empty on error.
    std::string ReceiveStr();
    int32_t ReceiveFrom(void* buffer, int32_t length, net::SocketAddress& from);
    void DnsLookup(const std::string& hostName);
    void ReverseDnsLookup(const std::string& address);
    void CancelDnsLookup();
    void Close();
    // Closes from the event loop.
    void CloseDelayed();
    // Frees the socket from the event loop; only for a socket made with new that nothing else owns.
    void ReleaseDelayed();
    void Abort();
    void Shutdown(int how);
    // Sends what is queued, handling events meanwhile; ends when the queue is
    // empty, the socket closed or FlushTimeout seconds passed.
    void Flush();
    // Handles events until the connection is closed (its data delivered).
    void WaitUntilClosed();
    void Pause();
    void Resume();
    void MessagePump();
    // Posts the test message whose handler raises, to try OnBgException.
    void PostTestException();

    int PeerSockAddr(net::SocketAddress& address);
    int LocalSockAddr(net::SocketAddress& address);
    std::string SocketLocalPort();
    std::string SocketLocalAddr();

    // ---- properties
    const std::string& Addr() const { return addr_.text; }
    void SetAddr(const std::string& value);
    const std::string& Port() const { return port_.text; }
    virtual void SetPort(const std::string& value);
    const std::string& Proto() const { return proto_.text; }
    virtual void SetProto(const std::string& value);
    const std::string& LocalAddr() const { return localAddr_; }
    void SetLocalAddr(const std::string& value);
    const std::string& LocalPort() const { return localPortStr_; }
    void SetLocalPort(const std::string& value);
    std::string PeerAddr();
    std::string PeerPort();
    const std::string& DnsResult() const { return dnsResult_; }
    const std::vector<std::string>& DnsResultList() const { return dnsResultList_; }
    TSocketState State() const { return state_; }
    int32_t ReadCount() const { return readCount_; }
    virtual int32_t RcvdCount();
    int LastError() const { return lastError_; }
    bool MultiThreaded() const { return multiThreaded_; }
    void SetMultiThreaded(bool value) { multiThreaded_ = value; }
    bool MultiCast() const { return multiCast_; }
    void SetMultiCast(bool value) { multiCast_ = value; }
    const std::string& MultiCastAddrStr() const { return multiCastAddrStr_; }
    void SetMultiCastAddrStr(const std::string& value) { multiCastAddrStr_ = value; }
    int32_t MultiCastIpTTL() const { return multiCastIpTTL_; }
    void SetMultiCastIpTTL(int32_t value) { multiCastIpTTL_ = value; }
    bool ReuseAddr() const { return reuseAddr_; }
    void SetReuseAddr(bool value) { reuseAddr_ = value; }
    TNetSocketOptions ComponentOptions() const { return options_; }
    void SetComponentOptions(TNetSocketOptions value) { options_ = value; }
    int32_t FlushTimeout() const { return flushTimeout_; }
    void SetFlushTimeout(int32_t value) { flushTimeout_ = value; }
    TSocketSendFlags SendFlags() const { return sendFlags_; }
    void SetSendFlags(TSocketSendFlags value);
    TSocketLingerOnOff LingerOnOff() const { return lingerOnOff_; }
    void SetLingerOnOff(TSocketLingerOnOff value) { lingerOnOff_ = value; }
    int32_t LingerTimeout() const { return lingerTimeout_; }
    void SetLingerTimeout(int32_t value) { lingerTimeout_ = value; }
    net::SocketHandle Handle() const { return handle_; }

    // ---- events
    TSessionAvailable OnSessionAvailable;
    TSessionConnected OnSessionConnected;
    TSessionClosed OnSessionClosed;
    TDataAvailable OnDataAvailable;
    TDataSent OnDataSent;
    TDnsLookupDone OnDnsLookupDone;
    TSendData OnSendData;
    TChangeState OnChangeState;
    TNotifyEvent OnError;
    TBgExceptionEvent OnBgException;

protected:
    virtual void WindowProcedure(uint32_t message, intptr_t wParam, intptr_t lParam);
    // Runs an event's work; an exception it raises goes to ReportBgException.
    void Guarded(const std::function<void()>& work);
    virtual void ResetToDefaults();
    void CloseSocketHandle(bool shut, int error);
    bool BindLocal();
    virtual int SendRaw(const void* data, int length);
    virtual int RecvRaw(void* buffer, int length, int flags);
    int RecvFromRaw(void* buffer, int length, int flags, net::SocketAddress& from);
    void RaiseError(const std::string& message);
    void ReportSocketError(const std::string& functionName);
    virtual void ReportBgException(const Exception& e);
    virtual bool FireDataAvailable(uint16_t error);
    virtual void FireSessionAvailable(uint16_t error);
    virtual void FireSessionConnected(uint16_t error);
    virtual void FireSessionClosed(uint16_t error);
    virtual void FireDataSent(uint16_t error);
    virtual void FireChangeState(TSocketState oldState, TSocketState newState);
    virtual void FireDnsLookupDone(uint16_t error);
    virtual void FireError();
    void ChangeState(TSocketState newState);
    void PostMessage(uint32_t message, intptr_t wParam = 0, intptr_t lParam = 0);
    // The socket's remote address record, as Connect resolves it.
    net::SocketAddress& RemoteAddress() { return sin_; }
    // Marks the remote port and address resolved (the SOCKS layer resolves them itself).
    void SetRemoteResolved() { port_.resolved = addr_.resolved = true; }
    bool Destroying() const { return destroying_; }
    // Bytes a layer holds back for the next receives, besides the transport's.
    virtual int32_t BufferedBytes() const { return 0; }
    void SetLastError(int code) { lastError_ = code; }
    bool PortAssigned() const { return port_.assigned; }

private:
    // A remote value as set, whether it was set, and whether it is resolved.
    struct TRemoteText {
        std::string text;
        bool assigned = false;
        bool resolved = false;
    };

    void HandleSelectEvent(net::SocketHandle handle, int event, int error);
    void HandleLookupDone(int error, const std::vector<std::string>& results);
    void ReceiveLoop(uint16_t error, TNetSocketOptions options);
    void DropWaitingData();
    void QueueSendData(const void* data, int32_t length);
    void TryToSend();
    void FreeSendBuffers();
    void ApplyLinger();
    bool SelectEvents(int mask);
    void ResolveRemote(bool forListen);
    bool ConnectedPeer(net::SocketAddress& peer, const char* functionName);
    bool ResolveAndOpen(bool forListen, const std::string& operation, const char* socketFunction);
    void SetRemoteText(TRemoteText& field, const std::string& value, const char* name);
    bool ApplyConnectOptions();
    bool ApplyDatagramOptions();
    void CloseAfterError(int code);
    void ClearLookupResults();

    std::unique_ptr<net::MessageWindow> window_;
    std::unique_ptr<net::SelectNotifier> notifier_;
    std::unique_ptr<net::HostLookup> lookup_;
    net::SocketHandle handle_ = net::INVALID_SOCKET;
    TSocketState state_ = TSocketState::wsClosed;
    std::deque<std::unique_ptr<TBuffer>> bufferList_;
    bool allSent_ = true;

    TRemoteText addr_;
    TRemoteText port_;
    TRemoteText proto_{"tcp", true, false};
    std::string localAddr_ = "0.0.0.0";
    std::string localPortStr_ = "0";
    bool localPortResolved_ = false;
    int32_t protocol_ = net::kProtocolTcp;
    int32_t socketType_ = net::kSocketStream;
    net::SocketAddress sin_;
    uint16_t localPortNum_ = 0;

    std::string dnsResult_;
    std::vector<std::string> dnsResultList_;
    int selectEvent_ = 0;
    bool paused_ = false;
    bool closeInvoked_ = false;
    bool destroying_ = false;
    net::SocketHandle acceptedHandle_ = net::INVALID_SOCKET;

    int32_t readCount_ = 0;
    int lastError_ = 0;
    bool multiThreaded_ = false;
    bool multiCast_ = false;
    std::string multiCastAddrStr_;
    int32_t multiCastIpTTL_ = 1;
    bool reuseAddr_ = false;
    TNetSocketOptions options_ = 0;
    int32_t flushTimeout_ = 60;
    TSocketSendFlags sendFlags_ = TSocketSendFlags::wsSendNormal;
    TSocketLingerOnOff lingerOnOff_ = TSocketLingerOnOff::wsLingerOn;
    int32_t lingerTimeout_ = 0;
};
