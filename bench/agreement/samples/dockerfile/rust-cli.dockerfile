# A Rust command-line tool built statically with musl and shipped from scratch.
FROM rust:1.74-alpine AS build
RUN apk add --no-cache musl-dev
WORKDIR /src
# Build the dependencies alone first: a dummy main keeps this layer cached
# until Cargo.toml or Cargo.lock change.
COPY Cargo.toml Cargo.lock ./
RUN mkdir src && echo 'fn main() {}' > src/main.rs \
 && cargo build --release --locked \
 && rm -rf src target/release/deps/csvtool*
COPY src ./src
RUN cargo build --release --locked \
 && strip target/release/csvtool \
 && ./target/release/csvtool --version

FROM scratch
LABEL org.opencontainers.image.title="csvtool" \
      org.opencontainers.image.description="Filters, joins and summarises CSV files"
COPY --from=build /etc/ssl/certs/ca-certificates.crt /etc/ssl/certs/
COPY --from=build /src/target/release/csvtool /csvtool
USER 65534:65534
WORKDIR /data
ENTRYPOINT ["/csvtool"]
CMD ["--help"]
