-- wrk script of the benchmark: every request posts the form body given in BENCH_BODY.
wrk.method = "POST"
wrk.body = os.getenv("BENCH_BODY") or ""
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
