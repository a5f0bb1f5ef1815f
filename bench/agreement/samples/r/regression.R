# Fits a straight line by least squares and reports the residuals.

fit_line <- function(x, y) {
  stopifnot(length(x) == length(y), length(x) >= 2)
  ok <- complete.cases(x, y)
  x <- x[ok]
  y <- y[ok]
  mx <- mean(x); my <- mean(y)
  slope <- sum((x - mx) * (y - my)) / sum((x - mx)^2)
  intercept <- my - slope * mx
  fitted <- intercept + slope * x
  structure(
    list(intercept = intercept, slope = slope, residuals = y - fitted, n = length(x)),
    class = "line_fit"
  )
}

print.line_fit <- function(fit, ...) {
  cat("y =", format(fit$intercept, digits = 4), "+", format(fit$slope, digits = 4), "* x\n")
  cat("n =", fit$n, " rmse =", sqrt(mean(fit$residuals^2)), "\n")
  invisible(fit)
}

predict_line <- function(fit, newx) fit$intercept + fit$slope * newx

x <- c(1, 2, 3, 4, 5, NA, 7)
y <- c(2.1, 3.9, 6.2, 7.8, 10.1, 12, NA)
fit <- fit_line(x, y)
print(fit)
predictions <- predict_line(fit, seq(0, 10, by = 2.5))
names(predictions) <- paste0("x=", seq(0, 10, by = 2.5))
print(round(predictions, 2))

# Compare with the built-in fit.
model <- lm(y ~ x, na.action = na.omit)
if (abs(coef(model)[["x"]] - fit$slope) > 1e-8) {
  warning("slopes differ")
} else {
  message('slopes agree')
}
outliers <- which(abs(fit$residuals) > 2 * sd(fit$residuals))
switch(as.character(length(outliers)),
  "0" = cat("no outliers\n"),
  cat(length(outliers), "outliers\n")
)
m <- matrix(1:6, nrow = 2, byrow = TRUE)
print(t(m) %*% m)
tryCatch(log(-1), warning = function(w) cat("warning:", conditionMessage(w), "\n"))
