-- wrk script of the benchmark: every request posts the form body given in BENCH_BODY (when there
-- is one) and, with BENCH_STAFF set, carries the staff session's cookie from BENCH_COOKIE.
local body = os.getenv("BENCH_BODY") or ""
if body ~= "" then
  wrk.method = "POST"
  wrk.body = body
  wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
end
if (os.getenv("BENCH_STAFF") or "") ~= "" then
  wrk.headers["Cookie"] = os.getenv("BENCH_COOKIE")
end
