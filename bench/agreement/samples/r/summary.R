# Summaries of a numeric sample, with a bootstrap interval.
# Written for the agreement corpus.

#' Mean, median and spread of x, missing values left out.
describe <- function(x, digits = 2L, na.rm = TRUE) {
  if (!is.numeric(x)) stop("x must be numeric, not ", class(x)[1])
  x <- x[!is.na(x)]
  result <- c(
    n = length(x),
    mean = mean(x),
    median = median(x),
    sd = sd(x),
    iqr = IQR(x)
  )
  round(result, digits)
}

bootstrap_ci <- function(x, stat = mean, reps = 1000, level = 0.95) {
  stopifnot(reps > 0, level > 0 && level < 1)
  values <- vapply(seq_len(reps), function(i) stat(sample(x, replace = TRUE)), numeric(1))
  alpha <- (1 - level) / 2
  quantile(values, probs = c(alpha, 1 - alpha), names = FALSE)
}

set.seed(42)
heights <- c(rnorm(50, mean = 170, sd = 8.5), NA, 1e2, 2.5e+2)
print(describe(heights))
ci <- bootstrap_ci(heights[!is.na(heights)], reps = 500L)
cat(sprintf("95%% interval: [%.1f, %.1f]\n", ci[1], ci[2]))

groups <- data.frame(
  name = c("a", "b", "c", 'd'),
  value = c(1.5, 2, NA_real_, 0x10),
  stringsAsFactors = FALSE
)
groups$scaled <- with(groups, value / max(value, na.rm = TRUE))
for (i in seq_len(nrow(groups))) {
  row <- groups[i, ]
  if (is.na(row$value)) {
    next
  } else if (row$value > 10) {
    message("large: ", row$name)
  }
}
counts <- table(cut(heights, breaks = 5))
total <- 0
repeat {
  total <- total + 1
  if (total >= 3) break
}
squares <- sapply(1:5, function(n) n^2)
flags <- list(ok = TRUE, missing = NULL, inf = Inf, nan = NaN, text = "tab\there \"quoted\"")
str(flags)
f <- function(...) sum(...)
print(f(1, 2, 3) %in% squares)
invisible(lapply(names(flags), function(k) k))
