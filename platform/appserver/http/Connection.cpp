#include "Connection.h"

#include "RequestGate.h"
#include "ServerCore.h"

#include "appserver/rpc/Service.h"

#include <boost/asio/dispatch.hpp>
#include <boost/asio/post.hpp>
#include <boost/beast/core.hpp>
#include <boost/beast/http.hpp>
#include <boost/beast/ssl/ssl_stream.hpp>

#include <array>
#include <limits>
#include <optional>

namespace appserver::http {

namespace {

namespace net = boost::asio;
namespace beast = boost::beast;
namespace bhttp = boost::beast::http;
using tcp = net::ip::tcp;

// Far above any head our clients send (a token and a request id), far below a nuisance.
constexpr std::uint32_t kHeaderLimit = 16 * 1024;
// How long the rest of a refused body is read and thrown away, so that the client, still
// sending it, gets to read the refusal instead of a reset connection.
constexpr std::chrono::seconds kLingerTime{3};

using Answer = bhttp::response<bhttp::span_body<const char>>;

std::string_view view(beast::string_view text)
{
    return {text.data(), text.size()};
}

bool isQuietEnd(const beast::error_code& ec)
{
    // The client went away, the connection timed out or the server closed it: there is no
    // one left to answer.
    return ec == bhttp::error::end_of_stream || ec == beast::error::timeout ||
           ec == net::error::operation_aborted || ec == net::error::eof ||
           ec == net::error::connection_reset || ec == net::error::bad_descriptor ||
           ec == net::ssl::error::stream_truncated;
}

// The steps every connection goes through, whatever its stream; `Derived` gives the
// stream (plain TCP or TLS over TCP) and the steps that differ: its start and its close.
template <class Derived> class HttpSession : public Connection
{
public:
    using Connection::Connection;

    void stop() override
    {
        net::post(self().stream().get_executor(),
                  [me = sharedSelf()] { me->closeUnlessAnswering(); });
    }

protected:
    enum class Phase
    {
        Opening,   // TLS handshake
        Idle,      // waiting for the next request of a kept-alive connection
        Head,      // reading a request's head
        Body,      // reading a request's body
        Running,   // the call is with a worker
        Answering, // sending the answer
        Closing
    };

    Derived& self() { return static_cast<Derived&>(*this); }
    std::shared_ptr<Derived> sharedSelf()
    {
        return std::static_pointer_cast<Derived>(shared_from_this());
    }
    beast::tcp_stream& tcp() { return beast::get_lowest_layer(self().stream()); }
    const HttpServerOptions& options() const { return m_core.options(); }

    // The connection is open (and any TLS handshake done): its first request is due.
    void serve() { readHead(); }

    void closeNow()
    {
        m_phase = Phase::Closing;
        beast::error_code ignored;
        tcp().socket().shutdown(tcp::socket::shutdown_both, ignored);
        tcp().close();
    }

    Phase m_phase = Phase::Opening;
    beast::flat_buffer m_buffer;

private:
    void closeUnlessAnswering()
    {
        if (m_phase != Phase::Running && m_phase != Phase::Answering)
            closeNow();
    }

    void awaitRequest()
    {
        if (m_core.stopping())
            return closeNow();
        if (m_buffer.size() > 0)
            return readHead(); // the client already sent its next request
        // The head timeout runs from the request's first byte: an idle connection is only
        // held to the keep-alive time.
        m_phase = Phase::Idle;
        tcp().expires_after(options().keepAlive);
        self().stream().async_read_some(m_buffer.prepare(4096),
                                        [me = sharedSelf()](beast::error_code ec, std::size_t n) {
                                            if (ec)
                                                return me->closeNow();
                                            me->m_buffer.commit(n);
                                            me->readHead();
                                        });
    }

    void readHead()
    {
        m_phase = Phase::Head;
        m_parser.emplace();
        m_parser->header_limit(kHeaderLimit);
        // The head is judged first (a declared length over the limit gets its own answer);
        // the limit binds the body as it is read.
        m_parser->body_limit(std::numeric_limits<std::uint64_t>::max());
        tcp().expires_after(options().headerTimeout);
        bhttp::async_read_header(
            self().stream(), m_buffer, *m_parser,
            [me = sharedSelf()](beast::error_code ec, std::size_t) { me->onHead(ec); });
    }

    void onHead(const beast::error_code& ec)
    {
        if (ec && isQuietEnd(ec))
            return closeNow();
        if (ec)
            return refuse(ec == bhttp::error::header_limit ? 431 : 400, QString(), true);
        if (m_core.stopping())
            return closeNow();

        const auto& request = m_parser->get();
        RequestHead head;
        head.method = view(request.method_string());
        head.target = view(request.target());
        if (const auto type = request.find(bhttp::field::content_type); type != request.end())
            head.contentType = view(type->value());
        if (const auto length = m_parser->content_length())
            head.contentLength = *length;
        head.chunked = m_parser->chunked();
        m_keepAlive = request.keep_alive();

        const Verdict verdict = judge(head, m_core.maxBody());
        if (verdict.route == Route::Refused)
            return refuse(verdict.refusal, verdict.path, false);
        m_verdict = verdict;
        m_parser->body_limit(std::uint64_t(m_core.maxBody()));
        if (!m_parser->is_done() && beast::iequals(request[bhttp::field::expect], "100-continue"))
            return sendContinue();
        readBody();
    }

    // A client that asked first is told to send the body it may now send.
    void sendContinue()
    {
        m_continue.emplace(bhttp::status::continue_, m_parser->get().version());
        tcp().expires_after(options().ioTimeout);
        bhttp::async_write(self().stream(), *m_continue,
                           [me = sharedSelf()](beast::error_code ec, std::size_t) {
                               if (ec)
                                   return me->closeNow();
                               me->readBody();
                           });
    }

    void readBody()
    {
        m_phase = Phase::Body;
        if (m_parser->is_done())
            return dispatch();
        // Each piece of the body must come within the I/O timeout: a large change packet
        // on a slow line may take long in all, but never stalls.
        tcp().expires_after(options().ioTimeout);
        bhttp::async_read_some(self().stream(), m_buffer, *m_parser,
                               [me = sharedSelf()](beast::error_code ec, std::size_t) {
                                   if (ec == bhttp::error::body_limit)
                                       return me->refuse(413, me->m_verdict.path, true);
                                   if (ec)
                                       return me->closeNow();
                                   me->readBody();
                               });
    }

    void dispatch()
    {
        const auto& request = m_parser->get();
        const std::string_view verb = view(request.method_string());
        m_request.verb = QByteArray(verb.data(), qsizetype(verb.size()));
        m_request.path = m_verdict.path;
        // The body is only read during the call; no copy of a large change packet.
        m_request.body =
            QByteArray::fromRawData(request.body().data(), qsizetype(request.body().size()));
        const std::string_view authorization = view(request[bhttp::field::authorization]);
        m_request.authorization = QByteArray(authorization.data(), qsizetype(authorization.size()));
        const std::string_view requestId = view(request["X-Request-Id"]);
        m_request.requestId = QString::fromUtf8(requestId.data(), qsizetype(requestId.size()));

        if (m_verdict.route == Route::Health)
            return answer(m_core.service().handle(m_request), false);

        m_phase = Phase::Running;
        // A call may run longer than any timeout; the clock starts again with its answer.
        tcp().expires_never();
        const bool queued = m_core.pool().trySubmit([me = sharedSelf()] {
            rpc::RpcResponse response;
            try {
                response = me->m_core.service().handle(me->m_request);
            } catch (...) {
                response = rpc::Service::error(500, refusalText(500, {}, 0));
            }
            net::post(me->self().stream().get_executor(),
                      [me, response = std::move(response)]() mutable {
                          me->answer(std::move(response), false);
                      });
        });
        if (!queued)
            refuse(503, m_verdict.path, false);
    }

    // An answer of the HTTP layer itself, logged as the service logs its calls. A request
    // whose body was not read is answered on a connection that then closes.
    void refuse(int status, const QString& path, bool close)
    {
        m_core.log(QStringLiteral("%1 - 0 ms %2").arg(loggablePath(path)).arg(status));
        m_drainAfter = m_parser && m_parser->is_header_done() && !m_parser->is_done();
        answer(rpc::Service::error(status, refusalText(status, path, m_core.maxBody())),
               close || m_drainAfter);
    }

    void answer(rpc::RpcResponse response, bool close)
    {
        m_phase = Phase::Answering;
        const unsigned version =
            m_parser && m_parser->is_header_done() ? m_parser->get().version() : 11;
        m_answerBody = std::move(response.body);
        m_answer.emplace(bhttp::status(unsigned(response.status)), version);
        m_answer->set(bhttp::field::content_type,
                      beast::string_view(response.contentType.constData(),
                                         size_t(response.contentType.size())));
        m_answer->body() = {m_answerBody.constData(), size_t(m_answerBody.size())};
        m_answer->keep_alive(m_keepAlive && !close && !m_core.stopping());
        m_answer->prepare_payload();
        m_serializer.emplace(*m_answer);
        writeSome();
    }

    void writeSome()
    {
        // A client that stops reading its answer is dropped after the I/O timeout, however
        // long the answer.
        tcp().expires_after(options().ioTimeout);
        bhttp::async_write_some(
            self().stream(), *m_serializer,
            [me = sharedSelf()](beast::error_code ec, std::size_t) { me->onWritten(ec); });
    }

    void onWritten(const beast::error_code& ec)
    {
        if (ec)
            return closeNow();
        if (!m_serializer->is_done())
            return writeSome();
        const bool keepAlive = m_answer->keep_alive();
        m_serializer.reset();
        m_answer.reset();
        m_answerBody.clear();
        m_request = {};
        m_parser.reset();
        if (m_drainAfter)
            return self().lingerAndClose();
        if (!keepAlive)
            return self().closeAfterAnswer();
        awaitRequest();
    }

protected:
    // Reads and drops what the client still sends, for a short while, then closes.
    void drain()
    {
        m_phase = Phase::Closing;
        self().stream().async_read_some(net::buffer(m_scrap),
                                        [me = sharedSelf()](beast::error_code ec, std::size_t) {
                                            if (ec)
                                                return me->closeNow();
                                            me->drain();
                                        });
    }

private:
    std::optional<bhttp::request_parser<bhttp::string_body>> m_parser;
    Verdict m_verdict;
    rpc::RpcRequest m_request;
    bool m_keepAlive = false;
    bool m_drainAfter = false;
    std::optional<bhttp::response<bhttp::empty_body>> m_continue;
    QByteArray m_answerBody;
    std::optional<Answer> m_answer;
    std::optional<bhttp::response_serializer<bhttp::span_body<const char>>> m_serializer;
    std::array<char, 16 * 1024> m_scrap{};
};

class PlainSession final : public HttpSession<PlainSession>
{
public:
    PlainSession(tcp::socket socket, ServerCore& core)
        : HttpSession(core), m_stream(std::move(socket))
    {
    }

    beast::tcp_stream& stream() { return m_stream; }

    void start() override
    {
        net::dispatch(m_stream.get_executor(), [me = sharedSelf()] { me->serve(); });
    }

    void lingerAndClose()
    {
        // The answer is complete: the client sees the end of it while the rest of its body
        // is read and dropped.
        beast::error_code ignored;
        m_stream.socket().shutdown(tcp::socket::shutdown_send, ignored);
        m_stream.expires_after(kLingerTime);
        drain();
    }

    void closeAfterAnswer() { closeNow(); }

private:
    beast::tcp_stream m_stream;
};

class TlsSession final : public HttpSession<TlsSession>
{
public:
    TlsSession(tcp::socket socket, net::ssl::context& tls, ServerCore& core)
        : HttpSession(core), m_stream(std::move(socket), tls)
    {
    }

    beast::ssl_stream<beast::tcp_stream>& stream() { return m_stream; }

    void start() override
    {
        net::dispatch(m_stream.get_executor(), [me = sharedSelf()] {
            // The handshake counts as part of the first request's head.
            me->tcp().expires_after(me->options().headerTimeout);
            me->m_stream.async_handshake(net::ssl::stream_base::server, [me](beast::error_code ec) {
                if (ec)
                    return me->closeNow();
                me->serve();
            });
        });
    }

    void lingerAndClose()
    {
        m_stream.next_layer().expires_after(kLingerTime);
        drain();
    }

    // Says goodbye in TLS (close_notify), so that the client can tell the end of the
    // connection from a cut.
    void closeAfterAnswer()
    {
        m_phase = Phase::Closing;
        m_stream.next_layer().expires_after(kLingerTime);
        m_stream.async_shutdown([me = sharedSelf()](beast::error_code) { me->closeNow(); });
    }

private:
    beast::ssl_stream<beast::tcp_stream> m_stream;
};

} // namespace

Connection::~Connection()
{
    m_core.closed(this);
}

std::shared_ptr<Connection> plainConnection(tcp::socket socket, ServerCore& core)
{
    return std::make_shared<PlainSession>(std::move(socket), core);
}

std::shared_ptr<Connection> tlsConnection(tcp::socket socket, net::ssl::context& tls,
                                          ServerCore& core)
{
    return std::make_shared<TlsSession>(std::move(socket), tls, core);
}

} // namespace appserver::http
