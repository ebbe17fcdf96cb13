#!/usr/bin/env bash
# The signatures of a release, with throwaway keys made here: a CA and a
# code-signing certificate (openssl), an OpenPGP key (gpg, in a home of its
# own). Builds the release again, signed, in the stage of an unsigned one of
# the same commit, and checks that
# - osslsigncode verifies the program and the installer against that CA,
# - gpgv verifies SHA256SUMS.asc, and sha256sum -c passes,
# - the signed files differ from the unsigned ones in their signatures only,
# - the signed installer installs under Wine and the signed program opens
#   its window (the installer test of make windows, on this installer).
#
#   tests/release/signature_test.sh STAGE UNSIGNED_DIST WORK
# (make release-check runs it; the Windows test build, build/windows, gives
# the Wine session and the installer test.)
set -euo pipefail
root=$(git -C "$(dirname "$0")" rev-parse --show-toplevel)
stage=$(realpath "$1") unsigned=$(realpath "$2") work=$(realpath -m "$3")
cd "$root"

log() { echo "signature test: $*" >&2; }
fail() {
    echo "signature test: FAILED: $*" >&2
    exit 1
}

rm -rf "$work"
mkdir -p "$work/keys"
keys=$work/keys
version=$(sed -n 's/^project(Quorvel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
epoch=$(git log -1 --format=%ct HEAD)

# Certificates valid from a day before the commit, when the files are
# signed; openssl 3.0 takes no start date, so it runs on a clock set back.
log "making a CA, a code-signing certificate and an OpenPGP key"
back() { faketime -f "@$(date --utc --date=@$((epoch - 86400)) '+%Y-%m-%d %H:%M:%S')" "$@"; }
export TZ=UTC0
back openssl req -x509 -newkey rsa:3072 -nodes -days 3650 -subj "/CN=Quorvel test CA" \
    -addext basicConstraints=critical,CA:true -addext keyUsage=critical,keyCertSign,cRLSign \
    -keyout "$keys/ca.key" -out "$keys/ca.pem" 2>/dev/null
back openssl req -newkey rsa:3072 -nodes -subj "/CN=Quorvel test signer" \
    -keyout "$keys/signer.key" -out "$keys/signer.csr" 2>/dev/null
printf '%s\n' basicConstraints=CA:false keyUsage=critical,digitalSignature \
    extendedKeyUsage=codeSigning >"$keys/signer.ext"
back openssl x509 -req -in "$keys/signer.csr" -CA "$keys/ca.pem" -CAkey "$keys/ca.key" \
    -CAcreateserial -days 3650 -extfile "$keys/signer.ext" -out "$keys/signer.pem" 2>/dev/null
head -c 24 /dev/urandom | base64 >"$keys/password"
openssl pkcs12 -export -inkey "$keys/signer.key" -in "$keys/signer.pem" -certfile "$keys/ca.pem" \
    -passout "file:$keys/password" -out "$keys/signer.p12"

export GNUPGHOME=$keys/gnupg
mkdir -m 700 "$GNUPGHOME"
# gpg starts an agent for its home, which would outlive the test.
trap 'gpgconf --kill all 2>/dev/null || true' EXIT
gpg --batch --quiet --passphrase '' --quick-generate-key "Quorvel release test <release@quorvel.example>" \
    ed25519 sign never 2>/dev/null
fingerprint=$(gpg --batch --with-colons --list-secret-keys | awk -F: '$1 == "fpr" { print $10; exit }')
gpg --batch --export "$fingerprint" >"$keys/public.gpg"

log "building the release again, signed"
QUORVEL_RELEASE_STAGE=$stage QUORVEL_RELEASE_REUSE=1 QUORVEL_SIGN_PKCS12=$keys/signer.p12 \
    QUORVEL_SIGN_PASSWORD_FILE=$keys/password QUORVEL_GPG_KEY=$fingerprint \
    tools/release "$work/dist" >"$work/release.log" 2>&1 || {
    tail -n 30 "$work/release.log" >&2
    fail "the signed release did not build ($work/release.log)"
}
signed=$work/dist

(cd "$signed" && sha256sum --check --quiet SHA256SUMS) || fail "sha256sum -c in $signed"
gpgv --keyring "$keys/public.gpg" "$signed/SHA256SUMS.asc" "$signed/SHA256SUMS" 2>"$work/gpgv.log" ||
    fail "gpgv: $(cat "$work/gpgv.log")"
log "gpgv verifies SHA256SUMS.asc"

signing_time=$(date --utc --date=@"$epoch" '+%b %e %H:%M:%S %Y GMT')
program=$work/Quorvel.exe
unzip -p "$signed/Quorvel-$version-win64.zip" "Quorvel-$version-win64/Quorvel.exe" >"$program"
for file in "$program" "$signed/Quorvel-$version-x64.msi"; do
    osslsigncode verify -CAfile "$keys/ca.pem" -in "$file" >"$work/verify.log" 2>&1 ||
        fail "osslsigncode verify $(basename "$file"):$(tail -n 5 "$work/verify.log")"
    grep -q "Signing time: $signing_time\$" "$work/verify.log" ||
        fail "$(basename "$file") is not signed at $signing_time, the commit's time"
    log "osslsigncode verifies $(basename "$file") against the test CA"
done

for name in "Quorvel-$version-win64.zip" "Quorvel-$version-x64.msi"; do
    tests/release/only_signatures_differ.py "$unsigned/$name" "$signed/$name"
done
# Everything else is the same bytes as unsigned (but for what lists the
# checksums of the signed files).
for name in $(cd "$unsigned" && ls); do
    case $name in *-win64.zip | *.msi | SHA256SUMS | *.spdx.json) continue ;; esac
    cmp -s "$unsigned/$name" "$signed/$name" || fail "$name differs between signed and unsigned"
done

log "installing the signed installer under Wine"
cmake --preset windows >"$work/windows.log"
cmake --build --preset windows -j "${JOBS:-$(nproc)}" \
    --target installed_state wine_session_keeper wine_session_locales >>"$work/windows.log"
/usr/bin/python3 tests/release/signed_installer_test.py --build build/windows \
    --msi "$signed/Quorvel-$version-x64.msi" --wxs "$stage/windows/installer/quorvel.wxs" \
    --work "$work/installer"
log "passed"
