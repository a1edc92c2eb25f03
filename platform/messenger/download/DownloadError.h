#pragma once

#include "platform/base/Error.h"

// A data download that cannot be read. Each kind says, in Spanish, what was wrong and where;
// the download's path (or entry) is part of the message.
class DownloadError : public Error
{
public:
    using Error::Error;
};

// Not a ZIP, or a ZIP whose directory or data is damaged or cut short.
class DownloadDamagedError : public DownloadError
{
public:
    using DownloadError::DownloadError;
};

// An entry that would take more than its limit to unpack, by size or by ratio.
class DownloadTooLargeError : public DownloadError
{
public:
    using DownloadError::DownloadError;
};

// An encrypted entry, or a name that would reach outside the download ("..", absolute).
class DownloadUnsafeError : public DownloadError
{
public:
    using DownloadError::DownloadError;
};

// A download of no network Orvalin reads, or one without both lists.
class DownloadListsMissingError : public DownloadError
{
public:
    using DownloadError::DownloadError;
};

// A list whose JSON, HTML or text does not parse, or holds entries of the wrong shape.
class DownloadParseError : public DownloadError
{
public:
    using DownloadError::DownloadError;
};
