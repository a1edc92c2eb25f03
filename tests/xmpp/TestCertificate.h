#pragma once

#include <QString>
#include <QTemporaryDir>
#include <memory>

typedef struct evp_pkey_st EVP_PKEY;
typedef struct x509_st X509;

// A self-signed certificate for a host name, made in memory for a server of the tests' own,
// with its PEM file for the client to trust.
class TestCertificate
{
public:
    explicit TestCertificate(const QString &host);
    ~TestCertificate();
    Q_DISABLE_COPY_MOVE(TestCertificate)

    EVP_PKEY *key() const { return m_key; }
    X509 *certificate() const { return m_certificate; }
    // The certificate as a PEM file, as the client's extra authority.
    QString path() const { return m_path; }

private:
    EVP_PKEY *m_key = nullptr;
    X509 *m_certificate = nullptr;
    QTemporaryDir m_folder;
    QString m_path;
};
