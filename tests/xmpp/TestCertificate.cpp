#include "tests/xmpp/TestCertificate.h"

#include <openssl/ec.h>
#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509v3.h>
#include <stdexcept>

namespace {

void addExtension(X509 *certificate, int nid, const char *value)
{
    X509V3_CTX context;
    X509V3_set_ctx_nodb(&context);
    X509V3_set_ctx(&context, certificate, certificate, nullptr, nullptr, 0);
    X509_EXTENSION *extension = X509V3_EXT_conf_nid(nullptr, &context, nid, value);
    if (!extension)
        throw std::runtime_error("cannot make the test certificate's extension");
    X509_add_ext(certificate, extension, -1);
    X509_EXTENSION_free(extension);
}

} // namespace

TestCertificate::TestCertificate(const QString &host)
{
    m_key = EVP_EC_gen("P-256");
    m_certificate = X509_new();
    if (!m_key || !m_certificate)
        throw std::runtime_error("cannot make the test certificate");
    X509_set_version(m_certificate, 2);
    ASN1_INTEGER_set(X509_get_serialNumber(m_certificate), 1);
    X509_gmtime_adj(X509_getm_notBefore(m_certificate), -60);
    X509_gmtime_adj(X509_getm_notAfter(m_certificate), 24 * 3600);
    X509_set_pubkey(m_certificate, m_key);
    const QByteArray name = host.toUtf8();
    X509_NAME *subject = X509_get_subject_name(m_certificate);
    X509_NAME_add_entry_by_txt(subject, "CN", MBSTRING_UTF8,
                               reinterpret_cast<const unsigned char *>(name.constData()), -1, -1,
                               0);
    X509_set_issuer_name(m_certificate, subject);
    addExtension(m_certificate, NID_basic_constraints, "critical,CA:TRUE");
    addExtension(m_certificate, NID_subject_alt_name, ("DNS:" + name).constData());
    if (X509_sign(m_certificate, m_key, EVP_sha256()) == 0)
        throw std::runtime_error("cannot sign the test certificate");

    m_path = m_folder.filePath(QStringLiteral("ca.pem"));
    BIO *file = BIO_new_file(m_path.toLocal8Bit().constData(), "w");
    const bool written = file && PEM_write_bio_X509(file, m_certificate) == 1;
    BIO_free(file);
    if (!written)
        throw std::runtime_error("cannot write the test certificate");
}

TestCertificate::~TestCertificate()
{
    X509_free(m_certificate);
    EVP_PKEY_free(m_key);
}
